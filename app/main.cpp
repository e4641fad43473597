#include "app/TessivoApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tessivo::CTessivoApp app;
    app.InitInstance();
    return app.ExitInstance();
}
