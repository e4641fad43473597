#include "main/TessivoDlg.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace tessivo {

CTessivoDlg::CTessivoDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id102"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Tessivo"), this);
    QFont font = title->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    resize(640, 400);
}

void CTessivoDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // For measuring start-up: the window closes itself as soon as it is up.
    if (qEnvironmentVariableIsSet("TESSIVO_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, this, &QDialog::accept);
}

} // namespace tessivo
