#include <QApplication>
#include <QMainWindow>

#include "data/app_state.h"
#include "platform/gbk.h"
#include "platform/ui/message_box.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelton"));
    QApplication::setOrganizationName(QStringLiteral("Kelton"));

    if (!kelton::GbkAvailable()) {
        kelton::MsgBox(nullptr, QMessageBox::Critical, QStringLiteral("Kelton"),
                       QStringLiteral("GB18030 text codec is not available."));
        return 1;
    }

    kelton::IniGlobal();
    QMainWindow window;
    window.setWindowTitle(kelton::Mmain().AppTitle + QLatin1Char(' ') + QLatin1String(kelton::kVersionText));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
