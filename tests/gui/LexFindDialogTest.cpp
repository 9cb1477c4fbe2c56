// Finding the lexicon again: the location dialog's refusals and questions,
// the repair with its status text and wait cursor, command 172, and
// "Jouer aux Chiffres ?" when no lexicon is found.
#include "letters/LexFindDialog.h"
#include "FixtureLexicon.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotWindow.h"
#include "letters/NumbersOnlyDialog.h"
#include "lexicon/LexiconTexts.h"
#include "presentation/Bell.h"
#include "presentation/QtPrompter.h"
#include "presentation/ValidEdit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace lexinum;

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kWords = {"étoile", "toile", "lit", "et"};

// A recording prompter that also looks at the game each time a message shows.
class WatchingPrompter : public test::RecordingPrompter {
public:
    std::function<void()> onMessage;
    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                     PromptButtons buttons) override {
        if (onMessage)
            onMessage();
        return RecordingPrompter::Ask(text, caption, icon, buttons);
    }
};

// Picks `file` in the location dialog and confirms.
void Pick(QWidget* modal, const fs::path& file) {
    auto* dialog = qobject_cast<LexFindDialog*>(modal);
    QVERIFY(dialog != nullptr);
    dialog->selectFile(QString::fromStdString(file.string()));
    dialog->accept();
}

// Gives up the word entry the round goes on with.
void GiveUpTheWordEntry() {
    test::GameFixture::OnModal([](QWidget* modal) {
        QVERIFY(qobject_cast<MotEnterDialog*>(modal) != nullptr);
        static_cast<QDialog*>(modal)->reject();
    });
}

} // namespace

class LexFindDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() {
        Prompter::SetActive(&game_.Prompts());
        game_.Reset();
    }

    void refusedFolderKeepsTheDialogOpenThenNumbersAreOffered();
    void missingIndexIsRebuiltOnceThePlayerAgrees();
    void dismissedRepairLeavesTheLexiconAsItWas();
    void eachRefusalAndQuestionBeepsOnce();
    void changeLexiconStopsTheSearchAndAdoptsAnotherFolder();
    void numbersOnlyOfferEndsTheProgramOnQuitter();

private:
    // Starts the game with the lexicon folder `folder` in the settings.
    MotWindow* StartOn(const fs::path& folder);

    test::GameFixture game_;
};

MotWindow* LexFindDialogTest::StartOn(const fs::path& folder) {
    Profile(game_.IniPath().toStdString()).WriteString("LETTRES", "lexiques", folder.string());
    game_.Start();
    return game_.App().LettersPane();
}

void LexFindDialogTest::refusedFolderKeepsTheDialogOpenThenNumbersAreOffered() {
    const test::TempFolder nowhere;
    MotWindow* pane = StartOn(nowhere / "parti");
    QVERIFY(!pane->Lexicon().Ready());
    // A folder with a lexicon file but not the whole set.
    const test::TempFolder partial;
    partial.Write("fr02.lex", "AB BA\r\n");
    partial.Write("lex.ini", "[lexiques]\r\nnb_of_lexs=2\r\nlex_rad=fr\r\n");
    bool stayedOpen = false;
    int topic = 0;
    QString title;
    QStringList filters;
    bool help = false;
    int offerTopic = 0;
    std::size_t toldFirst = 0;
    test::GameFixture::OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<LexFindDialog*>(modal);
        QVERIFY(dialog != nullptr);
        toldFirst = game_.Prompts().messages.size();
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        topic = game_.App().ContextHelpTopic();
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            help = help || button->text() == QStringLiteral("&Aide");
        Pick(dialog, partial / "fr02.lex");
        stayedOpen = dialog->isVisible();
        // Given up: the game offers to play numbers.
        test::GameFixture::OnModal([&](QWidget* offer) {
            auto* numbersOnly = qobject_cast<NumbersOnlyDialog*>(offer);
            QVERIFY(numbersOnly != nullptr);
            offerTopic = game_.App().ContextHelpTopic();
            QTest::mouseClick(numbersOnly->OkButton(), Qt::LeftButton);
        });
        dialog->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCOMPARE(title, QStringLiteral("Localisez le lexique"));
    // "*.*" would hide the files whose name has no dot.
    QCOMPARE(filters, QStringList({"Lexiques (*.lex)", "Tous les fichiers (*)"}));
    QCOMPARE(topic, 279);
    QVERIFY(help);
    QVERIFY(stayedOpen);
    // Why the lexicon cannot serve is told before the player is asked where it is.
    QCOMPARE(toldFirst, std::size_t(1));
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(2));
    QCOMPARE(game_.Prompts().messages[0].text,
             "Pas d'ensemble complet de fichiers lexique dans le dossier " + (nowhere / "parti").string() + ".");
    QCOMPARE(game_.Prompts().messages[1].text, std::string(LexiconTexts::kNoCompleteSet));
    QCOMPARE(game_.Prompts().messages[1].icon, PromptIcon::Exclamation);
    // "OK": the numbers game is shown; nothing was asked or judged.
    QCOMPARE(offerTopic, 279);
    QVERIFY(!game_.App().State().LettersShown());
    QVERIFY(!pane->Lexicon().Ready());
}

void LexFindDialogTest::missingIndexIsRebuiltOnceThePlayerAgrees() {
    const test::FixtureLexicon fixture(kWords);
    fs::remove(fixture.Directory() / "lex.ini");
    const test::TempFolder nowhere;
    MotWindow* pane = StartOn(nowhere / "parti");
    WatchingPrompter prompter;
    QStringList statusTexts;
    QList<bool> waitCursors;
    prompter.onMessage = [&] {
        statusTexts << game_.Frame().statusBar()->currentMessage();
        waitCursors << (QApplication::overrideCursor() != nullptr &&
                        QApplication::overrideCursor()->shape() == Qt::WaitCursor);
    };
    Prompter::SetActive(&prompter);
    test::GameFixture::OnModal([&](QWidget* modal) {
        // Once adopted, the round goes on: the word is asked.
        GiveUpTheWordEntry();
        Pick(modal, fixture.Directory() / "fr01.lex");
    });
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));

    // Why the folder of the settings cannot serve, the question, the report.
    QCOMPARE(prompter.messages.size(), std::size_t(3));
    QVERIFY(prompter.messages[0].text.find((nowhere / "parti").string()) != std::string::npos);
    QCOMPARE(prompter.messages[1].text, std::string(LexiconTexts::kIndexMissing));
    QCOMPARE(prompter.messages[1].icon, PromptIcon::Question);
    QCOMPARE(prompter.messages[2].text, std::string(LexiconTexts::kEntriesRebuilt) + "\r\n" +
                                            LexiconTexts::kRangesRecomputed + "\r\n" + LexiconTexts::kWeightsReset +
                                            "\r\n");
    QCOMPARE(prompter.messages[2].icon, PromptIcon::Information);
    // Asked before the work, reported during it: the status text and the wait cursor show meanwhile.
    QCOMPARE(statusTexts, QStringList({QString(), QString(), QString::fromUtf8(LexiconTexts::kBusy)}));
    QCOMPARE(waitCursors, QList<bool>({false, false, true}));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(game_.Frame().statusBar()->currentMessage().isEmpty());
    QVERIFY(fs::exists(fixture.Directory() / "lex.ini"));
    QVERIFY(pane->Lexicon().Ready());
    QCOMPARE(pane->LexiconFolder(), QString::fromStdString(fixture.Directory().string()));
    QCOMPARE(game_.App().ContextHelpTopic(), 260);
}

void LexFindDialogTest::dismissedRepairLeavesTheLexiconAsItWas() {
    const test::FixtureLexicon fixture(kWords);
    MotWindow* pane = StartOn(fixture.Directory());
    QVERIFY(pane->Lexicon().Ready());
    // Another lexicon whose index lost its weights.
    const test::FixtureLexicon other({"lit", "tri"});
    const fs::path index = other.Directory() / "lex.ini";
    fs::permissions(index, fs::perms::owner_write, fs::perm_options::add);
    std::string kept;
    {
        std::ifstream in(index, std::ios::binary);
        kept.assign(std::istreambuf_iterator<char>(in), {});
    }
    kept = kept.substr(0, kept.find("[nb voyelles]"));
    {
        std::ofstream out(index, std::ios::binary | std::ios::trunc);
        out << kept;
    }
    game_.Prompts().QueueAnswer(PromptAnswer::Cancel);
    bool stayedOpen = false;
    test::GameFixture::OnModal([&](QWidget* modal) {
        Pick(modal, other.Directory() / "fr01.lex");
        stayedOpen = modal->isVisible();
        static_cast<QDialog*>(modal)->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::ChangeLexicon));
    QVERIFY(stayedOpen);
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QCOMPARE(game_.Prompts().messages[0].text, std::string(LexiconTexts::kIndexIncomplete));
    QCOMPARE(pane->LexiconFolder(), QString::fromStdString(fixture.Directory().string()));
    QCOMPARE(pane->Lexicon().Directory(), fixture.Directory());
    QVERIFY(pane->Lexicon().Ready());
}

void LexFindDialogTest::eachRefusalAndQuestionBeepsOnce() {
    const test::FixtureLexicon fixture(kWords);
    StartOn(fixture.Directory());
    // A folder without the whole set of files is refused; one without its
    // index brings the question whether to rebuild it (dismissed here).
    const test::TempFolder partial;
    partial.Write("fr02.lex", "AB BA\r\n");
    partial.Write("lex.ini", "[lexiques]\r\nnb_of_lexs=2\r\nlex_rad=fr\r\n");
    const test::FixtureLexicon unindexed({"lit", "tri"});
    fs::remove(unindexed.Directory() / "lex.ini");
    // The boxes on screen, each sounding as it does for the player.
    QtPrompter boxes;
    Prompter::SetActive(&boxes);
    int beeps = 0;
    const QMetaObject::Connection counting = connect(&Bell::Instance(), &Bell::rung, this, [&beeps] { ++beeps; });
    const struct {
        fs::path file;
        QMessageBox::Icon icon;
    } cases[] = {{partial / "fr02.lex", QMessageBox::Warning},
                 {unindexed.Directory() / "fr01.lex", QMessageBox::Question}};
    for (const auto& pick : cases) {
        beeps = 0;
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        test::GameFixture::OnModal([&](QWidget* modal) {
            test::GameFixture::OnModal([&](QWidget* box) {
                shown = qobject_cast<QMessageBox*>(box)->icon();
                static_cast<QDialog*>(box)->reject();
            });
            Pick(modal, pick.file);
            static_cast<QDialog*>(modal)->reject();
        });
        QVERIFY(game_.App().RunCommand(Command::ChangeLexicon));
        QCOMPARE(shown, pick.icon);
        QCOMPARE(beeps, 1);
    }
    disconnect(counting);
}

void LexFindDialogTest::changeLexiconStopsTheSearchAndAdoptsAnotherFolder() {
    const test::FixtureLexicon fixture(kWords);
    MotWindow* pane = StartOn(fixture.Directory());
    // A round whose search waits between groups.
    pane->LettersField()->setText(QStringLiteral("TOILEEX"));
    GiveUpTheWordEntry();
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(pane->Channel().WorkerAlive());

    const test::FixtureLexicon other({"lit", "tri"});
    bool searchGone = false;
    QString openedIn;
    test::GameFixture::OnModal([&](QWidget* modal) {
        searchGone = !pane->Channel().WorkerAlive();
        openedIn = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
        Pick(modal, other.Directory() / "fr02.lex");
    });
    QVERIFY(game_.App().RunCommand(Command::ChangeLexicon));
    QVERIFY(searchGone);
    QCOMPARE(openedIn, QString::fromStdString(fixture.Directory().string()));
    QCOMPARE(game_.Prompts().messages.back().text, other.Directory().string());
    QCOMPARE(pane->LexiconFolder(), QString::fromStdString(other.Directory().string()));

    // The next time, the dialog opens on the file chosen last.
    QStringList selected;
    test::GameFixture::OnModal([&](QWidget* modal) {
        selected = qobject_cast<QFileDialog*>(modal)->selectedFiles();
        static_cast<QDialog*>(modal)->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::ChangeLexicon));
    QCOMPARE(selected, QStringList({QString::fromStdString((other.Directory() / "fr02.lex").string())}));
    // Given up, the lexicon stays, and no numbers are offered.
    QCOMPARE(pane->LexiconFolder(), QString::fromStdString(other.Directory().string()));
    QVERIFY(game_.App().State().LettersShown());

    QVERIFY(game_.Frame().close());
    const Profile settings(game_.IniPath().toStdString());
    QCOMPARE(settings.ReadString("LETTRES", "lexiques", "", Profile::kMaxValueLength), other.Directory().string());
}

void LexFindDialogTest::numbersOnlyOfferEndsTheProgramOnQuitter() {
    const test::TempFolder nowhere;
    MotWindow* pane = StartOn(nowhere / "parti");
    // Escape: nothing more happens, the letters pane stays.
    test::GameFixture::OnModal([](QWidget* offer) { QTest::keyClick(offer, Qt::Key_Escape); });
    pane->OfferNumbersOnly();
    QVERIFY(game_.App().State().LettersShown());
    QVERIFY(game_.Frame().isVisible());

    QStringList texts;
    test::GameFixture::OnModal([&texts](QWidget* offer) {
        auto* dialog = qobject_cast<NumbersOnlyDialog*>(offer);
        QVERIFY(dialog != nullptr);
        texts << dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            texts << label->text();
        QTest::mouseClick(dialog->QuitButton(), Qt::LeftButton);
    });
    pane->OfferNumbersOnly();
    QCOMPARE(texts,
             QStringList({QStringLiteral("Jouer aux Chiffres ?"),
                          QString::fromUtf8("Sans lexique, vous ne pouvez pas jouer aux Lettres, mais vous "
                                            "pouvez quand même jouer aux Chiffres."),
                          QStringLiteral("Souhaitez-vous jouer aux Chiffres en mode entraînement maintenant?")}));
    // "Quitter": the program ends as when its frame is closed, settings written.
    QTRY_VERIFY(!game_.Frame().isVisible());
    QVERIFY(QFile::exists(game_.IniPath()));
}

LEXINUM_GUI_TEST(LexFindDialogTest)
#include "LexFindDialogTest.moc"
