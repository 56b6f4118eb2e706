#include "app/DrawBookApp.h"
#include "app/FileLocations.h"
#include "platform/Display.h"
#include "res/AppIcon.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
    // Qt's own dialogs (files, message box buttons) speak Japanese like the rest. A copy
    // whose Qt is built in (Windows) carries the translation in translations/ beside it.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        qtTranslator.load(QStringLiteral("qtbase_ja"),
                          QApplication::applicationDirPath() + QStringLiteral("/translations"))) {
        QApplication::installTranslator(&qtTranslator);
    }
    drawbook::CDrawBookApp app(QString::fromStdString(drawbook::ExecutablePath(argv[0])));
    return app.InitInstance() ? QApplication::exec() : 0;
}
