// The Qt application the control tests run in (offscreen), made once per test program.
#pragma once

#include <QApplication>

inline QApplication* CtrlTestApp()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return app;
    static int argc = 1;
    static char name[] = "ClassLibTests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}
