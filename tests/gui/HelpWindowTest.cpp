// The help window: every topic has its page and every link of every page
// leads somewhere, the help commands open the right page in one window that
// comes forward, stays usable beside a dialog, keeps its size and is named
// for a screen reader.
#include "app/HelpWindow.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/HelpAboutDialog.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "presentation/Bell.h"
#include "presentation/HookDialog.h"
#include "shell/HelpTopic.h"
#include "shell/SettingsKeys.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

using namespace lexinum;

namespace {

// Every topic the game asks for: those of the dialogs, the four of the games
// and modes without a dialog, the contents and the page on the help itself.
const std::vector<HelpTopic> kAllTopics{
    HelpTopic::Contents,         HelpTopic::UsingHelp,       HelpTopic::TopTen,
    HelpTopic::LettersTraining,  HelpTopic::LettersMatch,    HelpTopic::LetterEntry,
    HelpTopic::LettersOptions,   HelpTopic::NumbersTraining, HelpTopic::NumbersMatch,
    HelpTopic::CalculationEntry, HelpTopic::NumbersOptions,  HelpTopic::Colours,
    HelpTopic::BitmapFile,       HelpTopic::Fonts,           HelpTopic::AddWords,
    HelpTopic::RemoveWords,      HelpTopic::Lexicon,         HelpTopic::NewMatch,
    HelpTopic::ResumeMatch,      HelpTopic::SaveMatchAs,
};

QString PageText(const QString& file) {
    QFile page(file);
    if (!page.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(page.readAll());
}

// Why `url` leads nowhere: its page is not among the pages, or the page has
// no such place. Empty when it leads somewhere.
QString WhyUnresolved(const QUrl& url) {
    if (url.scheme() != QStringLiteral("qrc") || !url.path().startsWith(QStringLiteral("/aide/")))
        return QStringLiteral("not a help page: ") + url.toString();
    const QString text = PageText(QLatin1Char(':') + url.path());
    if (text.isEmpty())
        return QStringLiteral("no page ") + url.path();
    if (url.hasFragment() && !text.contains(QStringLiteral("name=\"%1\"").arg(url.fragment())) &&
        !text.contains(QStringLiteral("id=\"%1\"").arg(url.fragment())))
        return QStringLiteral("no place ") + url.toString();
    return {};
}

QWidget* Child(QWidget* window, const QString& accessibleName) {
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (widget->accessibleName() == accessibleName)
            return widget;
    return nullptr;
}

// Follows the blocking of a window by a dialog, as the window system tells it.
class BlockWatch : public QObject {
public:
    bool blocked = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked)
            blocked = true;
        else if (event->type() == QEvent::WindowUnblocked)
            blocked = false;
        return QObject::eventFilter(watched, event);
    }
};

int HelpWindowsOnScreen() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<HelpWindow*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    return count;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void everyTopicHasItsPage();
    void everyLinkOfEveryPageLeadsSomewhere();
    void helpCommandsOpenTheirPage_data();
    void helpCommandsOpenTheirPage();
    void oneWindowComesForwardAndClosesWithTheGame();
    void usableBesideADialog();
    void findsInThePageAndSaysWhenNot();
    void keepsItsSize();
    void everyControlIsNamed();
    void aboutBoxShowsTheProgramAndItsNote();

private:
    // Starts the game with its own help window (the fixture records topics instead).
    HelpWindow* StartWithHelp();

    test::GameFixture game_;
};

HelpWindow* HelpWindowTest::StartWithHelp() {
    game_.Start();
    game_.App().InstallHelpWindow();
    return game_.App().Help();
}

void HelpWindowTest::everyTopicHasItsPage() {
    const std::vector<int> table = HelpWindow::Topics();
    QCOMPARE(table.size(), kAllTopics.size());
    for (HelpTopic topic : kAllTopics) {
        const QUrl page = HelpWindow::PageFor(TopicNumber(topic));
        QVERIFY2(!page.isEmpty(), qPrintable(QString::number(TopicNumber(topic))));
        QVERIFY2(WhyUnresolved(page).isEmpty(), qPrintable(WhyUnresolved(page)));
    }
    QVERIFY(HelpWindow::PageFor(TopicNumber(HelpTopic::None)).isEmpty());
    QVERIFY(HelpWindow::PageFor(262).isEmpty());
}

void HelpWindowTest::everyLinkOfEveryPageLeadsSomewhere() {
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    const QStringList pages = QDir(QStringLiteral(":/aide")).entryList({QStringLiteral("*.html")});
    QVERIFY(pages.size() >= 10);
    QSet<QString> reached{QStringLiteral("sommaire.html")};
    for (const QString& page : pages) {
        const QUrl base(QStringLiteral("qrc:/aide/") + page);
        const QString text = PageText(QStringLiteral(":/aide/") + page);
        QVERIFY2(text.contains(QStringLiteral("charset=\"utf-8\"")), qPrintable(page));
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QUrl target = base.resolved(QUrl(match.next().captured(1)));
            const QString why = WhyUnresolved(target);
            QVERIFY2(why.isEmpty(), qPrintable(page + QStringLiteral(": ") + why));
            reached.insert(target.fileName());
        }
    }
    // No page is out of reach of the others.
    for (const QString& page : pages)
        QVERIFY2(reached.contains(page), qPrintable(page));
}

void HelpWindowTest::helpCommandsOpenTheirPage_data() {
    QTest::addColumn<bool>("numbers");
    QTest::addColumn<bool>("match");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("heard");
    const int none = 0;
    QTest::newRow("F1, letters, training") << false << false << int(Qt::Key_F1) << false << none
                                           << TopicNumber(HelpTopic::LettersTraining) << "Le mot le plus long";
    QTest::newRow("F1, numbers, match") << true << true << int(Qt::Key_F1) << false << none
                                        << TopicNumber(HelpTopic::NumbersMatch) << "En partie";
    QTest::newRow("Shift+F1") << true << false << int(Qt::Key_F1) << true << none << TopicNumber(HelpTopic::Contents)
                              << "Aide de Lexinum";
    QTest::newRow("Sommaire") << false << true << none << false << CommandNumber(Command::HelpContents)
                              << TopicNumber(HelpTopic::Contents) << "Autour du jeu";
    QTest::newRow("Utiliser l'aide") << false << false << none << false << CommandNumber(Command::HelpOnHelp)
                                     << TopicNumber(HelpTopic::UsingHelp) << "Utiliser l'aide";
}

void HelpWindowTest::helpCommandsOpenTheirPage() {
    QFETCH(bool, numbers);
    QFETCH(bool, match);
    QFETCH(int, key);
    QFETCH(bool, shift);
    QFETCH(int, command);
    QFETCH(int, topic);
    QFETCH(QString, heard);
    HelpWindow* help = StartWithHelp();
    TivApp& app = game_.App();
    if (numbers)
        app.ShowGame(Game::Numbers);
    app.State().SetCompetition(match);
    if (key != 0) {
        game_.Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&game_.Frame()));
        QTest::keyClick(&game_.Frame(), Qt::Key(key), shift ? Qt::ShiftModifier : Qt::NoModifier);
    } else {
        QVERIFY(app.RunCommand(static_cast<Command>(command)));
    }
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), QStringLiteral("Aide de Lexinum"));
    QCOMPARE(help->Browser()->source(), HelpWindow::PageFor(topic));
    QVERIFY2(help->Browser()->toPlainText().contains(heard), qPrintable(help->Browser()->toPlainText().left(200)));
    app.State().SetCompetition(false);
}

void HelpWindowTest::oneWindowComesForwardAndClosesWithTheGame() {
    HelpWindow* help = StartWithHelp();
    TivApp& app = game_.App();
    QVERIFY(app.RunCommand(Command::ContextHelp));
    QVERIFY(QTest::qWaitForWindowExposed(help));
    // Beside the game, not over it.
    QVERIFY(!help->frameGeometry().intersects(game_.Frame().frameGeometry()) ||
            help->frameGeometry().right() >= game_.Frame().frameGeometry().right());
    help->showMinimized();
    QVERIFY(app.RunCommand(Command::HelpContents));
    QVERIFY(!help->isMinimized());
    QCOMPARE(help->Browser()->source(), HelpWindow::PageFor(TopicNumber(HelpTopic::Contents)));
    help->close();
    QVERIFY(app.RunCommand(Command::ContextHelp));
    QCOMPARE(app.Help(), help);
    QCOMPARE(HelpWindowsOnScreen(), 1);
    // Back and forward go over the pages seen.
    QTest::mouseClick(static_cast<QPushButton*>(Child(help, QStringLiteral("Précédent"))), Qt::LeftButton);
    QCOMPARE(help->Browser()->source(), HelpWindow::PageFor(TopicNumber(HelpTopic::Contents)));
    QTest::mouseClick(static_cast<QPushButton*>(Child(help, QStringLiteral("Suivant"))), Qt::LeftButton);
    QCOMPARE(help->Browser()->source(), HelpWindow::PageFor(TopicNumber(HelpTopic::LettersTraining)));

    // F1 in the help window is help on the help window.
    help->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->Browser(), Qt::Key_F1);
    QCOMPARE(help->Browser()->source(), HelpWindow::PageFor(TopicNumber(HelpTopic::UsingHelp)));

    QVERIFY(app.CanClose());
    QVERIFY(!help->isVisible());
}

void HelpWindowTest::usableBesideADialog() {
    HelpWindow* help = StartWithHelp();
    // Whether the window system would now refuse the player's input to the help.
    BlockWatch watch;
    help->installEventFilter(&watch);
    QVERIFY(game_.App().RunCommand(Command::HelpContents));
    HookDialog dialog(&game_.Frame(), game_.App(), HelpTopic::NewMatch);
    bool usable = false;
    test::GameFixture::OnModal([&](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_F1);
        QVERIFY(help->isVisible());
        QCOMPARE(help->Browser()->source(), HelpWindow::PageFor(TopicNumber(HelpTopic::NewMatch)));
        QCoreApplication::processEvents();
        usable = !watch.blocked;
        static_cast<QDialog*>(modal)->accept();
    });
    dialog.exec();
    QVERIFY(usable);
    // The dialog gone, the help stays open beside the game.
    QCoreApplication::processEvents();
    QVERIFY(help->isVisible());
    QVERIFY(!watch.blocked);
    QCOMPARE(help->parentWidget(), &game_.Frame());
}

void HelpWindowTest::findsInThePageAndSaysWhenNot() {
    HelpWindow* help = StartWithHelp();
    game_.App().ShowGame(Game::Numbers);
    QVERIFY(game_.App().RunCommand(Command::ContextHelp));
    int beeps = 0;
    connect(&Bell::Instance(), &Bell::rung, help, [&beeps] { ++beeps; });
    auto* field = static_cast<QLineEdit*>(Child(help, QStringLiteral("Rechercher")));
    auto* note = static_cast<QLabel*>(Child(help, QStringLiteral("Résultat de la recherche")));
    field->setText(QStringLiteral("plaques"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(help->Browser()->textCursor().selectedText(), QStringLiteral("plaques"));
    const int first = help->Browser()->textCursor().position();
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(help->Browser()->textCursor().position() > first);
    // Past the last one the search goes round to the first.
    for (int i = 0; i < 10 && help->Browser()->textCursor().position() != first; ++i)
        QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(help->Browser()->textCursor().position(), first);
    QCOMPARE(beeps, 0);
    QVERIFY(note->isHidden());

    QVERIFY(!help->Find(QStringLiteral("xylophone")));
    QCOMPARE(beeps, 1);
    QVERIFY(!note->isHidden());
    QVERIFY(note->text().contains(QStringLiteral("xylophone")));
}

void HelpWindowTest::keepsItsSize() {
    HelpWindow* help = StartWithHelp();
    QVERIFY(game_.App().RunCommand(Command::HelpContents));
    QVERIFY(QTest::qWaitForWindowExposed(help));
    help->resize(700, 500);
    QTRY_COMPARE(help->size(), QSize(700, 500));
    help->close();
    Profile settings(game_.IniPath().toStdString(), Profile::ReadOnlyRule::Respect);
    QCOMPARE(settings.ReadInt(keys::kGeneral, keys::kHelpWidth, 0), 700);
    QCOMPARE(settings.ReadInt(keys::kGeneral, keys::kHelpHeight, 0), 500);
    HelpWindow again(game_.App().Settings(), &game_.Frame());
    QCOMPARE(again.size(), QSize(700, 500));
    // A size no screen holds, from a damaged file, is not taken.
    QVERIFY(settings.WriteInt(keys::kGeneral, keys::kHelpWidth, -5));
    HelpWindow damaged(game_.App().Settings(), &game_.Frame());
    QVERIFY(damaged.width() > 0);
}

void HelpWindowTest::everyControlIsNamed() {
    HelpWindow* help = StartWithHelp();
    QCOMPARE(game_.AccessibleName(help), QStringLiteral("Aide de Lexinum"));
    for (const QString& name :
         {QStringLiteral("Sommaire"), QStringLiteral("Précédent"), QStringLiteral("Suivant"),
          QStringLiteral("Imprimer"), QStringLiteral("Rechercher"), QStringLiteral("Page d'aide")}) {
        QWidget* control = Child(help, name);
        QVERIFY2(control != nullptr, qPrintable(name));
        QCOMPARE(game_.AccessibleName(control), name);
        QVERIFY2(control->focusPolicy() & Qt::TabFocus, qPrintable(name));
    }
}

void HelpWindowTest::aboutBoxShowsTheProgramAndItsNote() {
    game_.Start();
    QStringList shown;
    QString title;
    test::GameFixture::OnModal([&](QWidget* modal) {
        title = modal->windowTitle();
        for (const QLabel* label : modal->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                shown << label->text();
        QTest::keyClick(modal, Qt::Key_F1);
        // "Vu" is the button that closes it, also with Entrée.
        auto* seen = static_cast<HelpAboutDialog*>(modal)->SeenButton();
        QCOMPARE(seen->text(), QStringLiteral("Vu"));
        QTest::keyClick(modal, Qt::Key_Return);
    });
    QVERIFY(game_.App().RunCommand(Command::About));
    QCOMPARE(title, QStringLiteral("A propos Lexinum"));
    for (const QString& text : {QStringLiteral("Lexinum"), QStringLiteral("Le mot le plus long"),
                                QStringLiteral("Le compte est bon"), HelpAboutDialog::VersionText()})
        QVERIFY2(shown.contains(text), qPrintable(text));
    QCOMPARE(shown.size(), 6);
    // F1 in it asked the help of the game shown.
    QCOMPARE(game_.HelpTopicsOpened(), std::vector<int>{TopicNumber(HelpTopic::LettersTraining)});
    // Then three lines under the program's name, without an icon.
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    const auto& note = game_.Prompts().messages.front();
    QCOMPARE(note.caption, std::string("Lexinum"));
    QCOMPARE(note.icon, PromptIcon::None);
    QCOMPARE(QString::fromStdString(note.text).split(QStringLiteral("\r\n")).size(), 3);
    QVERIFY(QString::fromStdString(note.text).startsWith(QStringLiteral("Lexinum")));
}

LEXINUM_GUI_TEST(HelpWindowTest)
#include "HelpWindowTest.moc"
