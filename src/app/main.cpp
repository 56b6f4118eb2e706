#include "app/DrawBookApp.h"
#include "app/FileLocations.h"
#include "res/AppIcon.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (!drawbook::HasDisplay()) {
        std::fputs("drawbook: 画面がありません。X11 か Wayland のデスクトップで起動してください"
                   "（DISPLAY も WAYLAND_DISPLAY も設定されていません）。\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setWindowIcon(drawbook::AppIcon());
    drawbook::CDrawBookApp app(QString::fromStdString(drawbook::ExecutablePath(argv[0])));
    return app.InitInstance() ? QApplication::exec() : 0;
}
