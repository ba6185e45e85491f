#include <QApplication>

#include "program/MorvikApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    vantor::CMorvikApp app;
    return app.InitInstance();
}
