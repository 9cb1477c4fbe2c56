// The game's entry: the platform check, the single-instance guard, the
// application object, the run and the shut-down.
#include "app/CommandLineFile.h"
#include "app/FrenchTexts.h"
#include "app/PlatformCheck.h"
#include "app/SingleInstanceGuard.h"
#include "app/TivApp.h"
#include "app/TivFrame.h"
#include "presentation/FirstFrameProbe.h"
#include "presentation/QtPrompter.h"

#include <QApplication>
#include <QTranslator>

#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
#ifdef LEXINUM_APP_ID
    // Desktops match the windows to the installed desktop entry (name, icon) by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(LEXINUM_APP_ID));
#endif
    QTranslator translator;
    lexinum::LoadFrenchTexts(application, translator);
    lexinum::QtPrompter prompter;
    lexinum::Prompter::SetActive(&prompter);

    if (!lexinum::PlatformCheck::CurrentIsSupported()) {
        prompter.Tell(lexinum::PlatformCheck::RefusalText(), lexinum::TivApp::kName, lexinum::PromptIcon::Stop);
        lexinum::Prompter::SetActive(nullptr);
        return 0;
    }

    lexinum::SingleInstanceGuard guard;
    if (!guard.Acquire()) {
        guard.RefuseAndCallFirst();
        lexinum::Prompter::SetActive(nullptr);
        return 0;
    }

    // The words after the program's name; Qt has already taken its own options out.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(QString::fromLocal8Bit(argv[i]).toStdString());

    int result = 0;
    {
        lexinum::TivApp app(arguments);
        app.InitMainWindow();
        QObject::connect(&guard, &lexinum::SingleInstanceGuard::comeForwardRequested, &app,
                         &lexinum::TivApp::BringForward);
        // The frame starts minimized or maximized when the command line asks it.
        const int request = lexinum::CommandLineShowRequest(arguments);
        using Show = lexinum::TivApp::ShowState;
        // The start-up benchmark's hook: nothing unless the environment asks it.
        lexinum::FirstFrameProbe::InstallIfAsked(app.Frame());
        app.InitInstance(request == 1 ? Show::Minimized : request == 2 ? Show::Maximized : Show::Normal);
        result = QApplication::exec();
    }
    lexinum::Prompter::SetActive(nullptr);
    return result;
}
