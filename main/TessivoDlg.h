#pragma once
// The program's main window.

#include <QDialog>

namespace tessivo {

class CTessivoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char *kCaption = "USB DATA DOWNLOAD SYSTEM ";
    explicit CTessivoDlg(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace tessivo
