// A match played in the whole game, with the timers shortened so that the
// player's draws and answers run out by themselves: the rounds in turn in
// each pane, the menus and gadgets of a match, the score, the end of the
// match and leaving one.
#include "app/Match.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/GameFileDialog.h"
#include "app/LevelDialog.h"
#include "app/ScoreWindow.h"
#include "app/TivFrame.h"
#include "app/TopTenDialog.h"
#include "common/Profile.h"
#include "letters/MotWindow.h"
#include "match/SavedGame.h"
#include "match/TopTen.h"
#include "numbers/ChifWindow.h"
#include "presentation/ChifEdit.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "presentation/ValidEdit.h"
#include "shell/TimerPeriods.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace lexinum;

class MatchTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void roundsComeInTurnUntilTheMatchIsDecided();
    void aMatchHasItsOwnMenusButtonsAndGadgets();
    void leavingAMatchRestoresTrainingAndKeepsTheLevelAndName();
    void checkReviewsTheRoundThenGoesGrey();
    void aSavedMatchGoesOnWhereItWasAndItsEndDeletesIt();
    void aModifiedMatchIsNotLostWithoutAsking();

private:
    // "&Nouvelle partie..." answered with `name` at `level`; what the dialog proposed is kept.
    void NewMatch(const QString& name, int level) {
        game_.OnModal([this, name, level](QWidget* window) {
            auto* dialog = qobject_cast<LevelDialog*>(window);
            QVERIFY(dialog != nullptr);
            proposedName_ = dialog->Name();
            proposedLevel_ = dialog->Level();
            dialog->NameEdit()->setText(name);
            dialog->LevelButton(level)->setChecked(true);
            dialog->OkButton()->click();
        });
        QVERIFY(game_.App().RunCommand(Command::NewMatch));
    }
    // The next file dialog answered with `file`.
    void AnswerFileDialog(const QString& file) {
        game_.OnModal([file](QWidget* window) {
            auto* dialog = qobject_cast<GameFileDialog*>(window);
            QVERIFY(dialog != nullptr);
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept();
        });
    }
    std::size_t MessagesWith(const std::string& part) {
        std::size_t count = 0;
        for (const auto& message : game_.Prompts().messages)
            count += message.text.find(part) != std::string::npos ? 1 : 0;
        return count;
    }

    test::GameFixture game_;
    QString proposedName_;
    int proposedLevel_ = -1;
};

void MatchTest::roundsComeInTurnUntilTheMatchIsDecided() {
    game_.StartQuick();
    NewMatch(QStringLiteral("Zoe"), 6);
    TivApp& app = game_.App();
    Match& match = app.TheMatch();
    QVERIFY(app.State().Competition());
    QCOMPARE(match.RoundGadget()->text(), QStringLiteral("manche n°1"));

    // The player answers nothing: the computer, at its best, wins every round.
    QString order;
    for (int step = 0; step < 80 && !app.State().MatchOver(); ++step) {
        const int before = match.Keeper()->RoundsPlayed();
        const Game shown = app.State().ShownGame();
        QVERIFY(app.RunCommand(Command::Continue));
        if (match.Keeper()->RoundsPlayed() == before) {
            // No round: the pane of the next round came forward.
            QVERIFY(app.State().ShownGame() != shown);
            QCOMPARE(match.Window()->parentWidget(), static_cast<QWidget*>(app.ShownPane()));
            // The numbers pane, first shown in the match, takes its rules too.
            QVERIFY(app.State().LettersShown() || app.NumbersPane()->TargetBox()->isReadOnly());
            order += QLatin1Char('|');
        } else {
            order += shown == Game::Letters ? QLatin1Char('L') : QLatin1Char('N');
        }
    }
    // Two sets of 12 rounds: letters, letters, numbers, with a pane switch before each change of game.
    QString expected = QStringLiteral("LL|N|").repeated(8);
    expected.chop(1);
    QCOMPARE(order, expected);
    QCOMPARE(match.Keeper()->RoundsPlayed(), 24);
    QCOMPARE(MessagesWith("Les quarante secondes sont écoulées"), std::size_t(16));
    QCOMPARE(MessagesWith("Les cinquante secondes sont écoulées"), std::size_t(8));
    QCOMPARE(MessagesWith("Manche n°1 gagnée par l'ordinateur"), std::size_t(1));
    QCOMPARE(MessagesWith("Match gagné par l'ordinateur 2 manches à 0."), std::size_t(1));
    QCOMPARE(match.SetsGadget()->text(), QStringLiteral("0 - 2"));
    QCOMPARE(match.RoundGadget()->text(), QStringLiteral("Terminé"));
    // A decided match has nothing left to save.
    QVERIFY(!app.State().MatchModified());

    // "&Poursuivre" once more: back to training, level and name kept for next time.
    QVERIFY(app.RunCommand(Command::Continue));
    QVERIFY(!app.State().Competition());
    QVERIFY(match.Window() == nullptr);
    Profile settings(game_.IniPath().toStdString());
    QCOMPARE(settings.ReadInt("COMPETITION", "difficulté", 0), 6);
    QCOMPARE(settings.ReadString("COMPETITION", "dernier joueur", "", 20), std::string("Zoe"));
}

void MatchTest::aMatchHasItsOwnMenusButtonsAndGadgets() {
    game_.StartQuick();
    TivApp& app = game_.App();
    app.ShowGame(Game::Numbers);
    NewMatch(QStringLiteral("Marie"), 2);
    // A match begins in the letters pane, with no draw until "&Poursuivre".
    QVERIFY(app.State().LettersShown());
    QVERIFY(app.LettersPane()->Letters().empty());
    QVERIFY(app.LettersPane()->LettersField()->isReadOnly());
    QVERIFY(app.LettersPane()->Button(Command::Continue)->isVisible());
    QVERIFY(!app.LettersPane()->Button(Command::NewDraw)->isVisible());

    Match& match = app.TheMatch();
    QCOMPARE(match.LevelGadget()->text(), QStringLiteral("écolier"));
    QCOMPARE(match.SetsGadget()->text(), QStringLiteral("0 - 0"));
    QVERIFY(!match.LevelGadget()->accessibleDescription().isEmpty());
    QCOMPARE(match.Window()->accessibleName(), QStringLiteral("Score"));
    QVERIFY(match.Window()->accessibleDescription().contains(QStringLiteral("Marie")));
    QCOMPARE(match.Window()->geometry(), app.CurrentLayout().SCORE_RECT);

    // Two letters rounds, then the numbers pane: its match menu, no "&Lexique".
    for (int i = 0; i < 3; ++i)
        QVERIFY(app.RunCommand(Command::Continue));
    QVERIFY(!app.State().LettersShown());
    QVERIFY(!game_.MenuTitles().contains(QStringLiteral("&Lexique")));
    const QStringList gameMenu = game_.ItemLabels(1);
    QCOMPARE(gameMenu.mid(0, 2), (QStringList{QStringLiteral("&Poursuivre"), QStringLiteral("&Vérifier")}));
    QVERIFY(!game_.Frame().FindMenuItem(Command::PlayLetters)->isEnabled());
    QVERIFY(game_.Frame().FindMenuItem(Command::QuitMatch)->isEnabled());
    ChifWindow* numbers = app.NumbersPane();
    for (int i = 0; i < 6; ++i)
        QVERIFY(numbers->NumberBox(i)->isReadOnly());
    QCOMPARE(match.Window()->parentWidget(), static_cast<QWidget*>(numbers));
    QVERIFY(match.Window()->accessibleDescription().contains(QStringLiteral("Ordinateur")));
}

void MatchTest::leavingAMatchRestoresTrainingAndKeepsTheLevelAndName() {
    {
        Profile before(game_.IniPath().toStdString());
        QVERIFY(before.WriteInt("LETTRES", "nb lettres", 7));
    }
    game_.StartQuick();
    TivApp& app = game_.App();
    NewMatch(QStringLiteral("Paul"), 4);
    QVERIFY(app.RunCommand(Command::Continue));
    QCOMPARE(static_cast<int>(app.LettersPane()->Letters().size()), 9);
    QVERIFY(app.State().MatchModified());

    // Left without saving.
    game_.Prompts().QueueAnswer(PromptAnswer::No);
    QVERIFY(app.RunCommand(Command::QuitMatch));
    QVERIFY(!app.State().Competition());
    QCOMPARE(app.State().Level(), 0);
    QVERIFY(app.TheMatch().LevelGadget() == nullptr);
    QVERIFY(app.TheMatch().Window() == nullptr);
    QCOMPARE(app.LettersPane()->LetterCount(), 7);
    QVERIFY(!app.LettersPane()->LettersField()->isReadOnly());
    QVERIFY(app.LettersPane()->Button(Command::NewDraw)->isVisible());
    QVERIFY(game_.Frame().FindMenuItem(Command::NewDraw) != nullptr);

    // The next match proposes the name and level of the last one; closing
    // the game in a match keeps the training letter count.
    NewMatch(QStringLiteral("Paul"), 5);
    QCOMPARE(proposedName_, QStringLiteral("Paul"));
    QCOMPARE(proposedLevel_, 4);
    QVERIFY(game_.Frame().close());
    Profile settings(game_.IniPath().toStdString());
    QCOMPARE(settings.ReadInt("LETTRES", "nb lettres", 0), 7);
    QCOMPARE(settings.ReadInt("COMPETITION", "difficulté", 0), 5);
}

void MatchTest::checkReviewsTheRoundThenGoesGrey() {
    game_.StartQuick();
    TivApp& app = game_.App();
    NewMatch(QStringLiteral("Ana"), 6);
    QVERIFY(app.RunCommand(Command::Continue));
    MotWindow* pane = app.LettersPane();
    QVERIFY(app.State().CanCheck(Game::Letters));
    const QString round = pane->ResultBox()->toPlainText();
    QVERIFY(round.contains(QStringLiteral("Aucune réponse donnée.")));
    // Each "&Vérifier" adds a group, the first under a rule; the end of the
    // review greys the command and gives "&Poursuivre" the focus.
    int presses = 0;
    while (app.State().CanCheck(Game::Letters) && presses < 40) {
        QVERIFY(app.RunCommand(Command::Check));
        ++presses;
    }
    QVERIFY(presses >= 2);
    QVERIFY(!app.State().CanCheck(Game::Letters));
    QVERIFY(pane->ResultBox()->toPlainText().size() > round.size());
    QVERIFY(pane->ResultBox()->toPlainText().mid(round.size()).contains(QStringLiteral("________")));
    QVERIFY(!app.RunCommand(Command::Check));

    // A review whose search was stopped (a change of lexicon) greys the
    // command at the next press instead of waiting for ever.
    QVERIFY(app.RunCommand(Command::Continue));
    QVERIFY(app.State().CanCheck(Game::Letters));
    pane->StopSearch();
    QVERIFY(app.RunCommand(Command::Check));
    QVERIFY(!app.State().CanCheck(Game::Letters));
}

void MatchTest::aSavedMatchGoesOnWhereItWasAndItsEndDeletesIt() {
    // A match of 23 rounds whose next round, numbers, ends it: the computer
    // leads the set and has won the first.
    const QString file = QDir(QDir::tempPath()).filePath(QStringLiteral("lexinum-match-test.tiv"));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(file);
    SavedGame saved;
    saved.playerName = "Léa";
    saved.level = 5;
    saved.counters = MatchCounters{23, 0, 30, 0, 1};
    saved.vowelBag.fill(2);
    saved.consonantBag.fill(1);
    saved.radical = "fr";
    QVERIFY(SavedGame::Write(file.toStdString(), saved).Ok());

    game_.StartQuick();
    TivApp& app = game_.App();
    AnswerFileDialog(file);
    QVERIFY(app.RunCommand(Command::ResumeMatch));
    Match& match = app.TheMatch();
    QVERIFY(app.State().Competition());
    QCOMPARE(match.Keeper()->Counters(), saved.counters);
    QCOMPARE(app.State().Level(), 5);
    // 23 rounds played: the numbers pane, the second set.
    QVERIFY(!app.State().LettersShown());
    QCOMPARE(match.RoundGadget()->text(), QStringLiteral("manche n°2"));
    QCOMPARE(match.SetsGadget()->text(), QStringLiteral("0 - 1"));
    SavedGame now;
    now.TakeBags(app.LettersPane()->Lexicon());
    QCOMPARE(now.vowelBag, saved.vowelBag);
    QCOMPARE(now.consonantBag, saved.consonantBag);
    QVERIFY(!app.State().MatchModified());
    QVERIFY(!game_.Frame().FindMenuItem(Command::SaveMatch)->isEnabled());

    QVERIFY(app.RunCommand(Command::Continue));
    QVERIFY(app.State().MatchOver());
    // Its own file is gone; the result is in the Top Ten of its level.
    QVERIFY(!QFile::exists(file));
    const TopTenLoad topTen = ReadTopTen(TopTenFile(app.DataFolder().toStdString()), false);
    QCOMPARE(topTen.result, TopTenRead::Read);
    QCOMPARE(topTen.book.Level(5).size(), std::size_t(1));
    QCOMPARE(topTen.book.Level(5).front().name, std::string("Léa"));
    QCOMPARE(topTen.book.Level(5).front().computerSets, 2);

    // "Les 10 &meilleurs..." opens on the match's level, under its category.
    QString shown;
    int levelShown = -1;
    game_.OnModal([&](QWidget* window) {
        auto* dialog = qobject_cast<TopTenDialog*>(window);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Meilleurs scores"));
        levelShown = dialog->LevelList()->currentIndex() + 1;
        shown = dialog->List()->toPlainText();
        dialog->OkButton()->click();
    });
    QVERIFY(app.RunCommand(Command::TopTen));
    QCOMPARE(levelShown, 5);
    QVERIFY(shown.startsWith(QStringLiteral("Ordinateur gagnant contre:\nLéa\t2 à 0\tle ")));
}

void MatchTest::aModifiedMatchIsNotLostWithoutAsking() {
    const QString file = QDir(QDir::tempPath()).filePath(QStringLiteral("lexinum-save-test.tiv"));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(file);
    game_.StartQuick();
    TivApp& app = game_.App();
    NewMatch(QStringLiteral("Max"), 3);
    QVERIFY(!game_.Frame().FindMenuItem(Command::SaveMatch)->isEnabled());
    QVERIFY(app.RunCommand(Command::Continue));
    QVERIFY(game_.Frame().FindMenuItem(Command::SaveMatch)->isEnabled());

    // Abandon keeps the match; yes with the save dialog dismissed keeps it too.
    game_.Prompts().QueueAnswer(PromptAnswer::Cancel);
    QVERIFY(app.RunCommand(Command::QuitMatch));
    QVERIFY(app.State().Competition());
    game_.Prompts().QueueAnswer(PromptAnswer::Yes);
    game_.OnModal([](QWidget* window) { static_cast<QDialog*>(window)->reject(); });
    QVERIFY(app.RunCommand(Command::QuitMatch));
    QVERIFY(app.State().Competition());
    QCOMPARE(MessagesWith("Partie modifiée!"), std::size_t(2));

    // Yes with a name: saved, then left; the file reads back as the match was.
    game_.Prompts().QueueAnswer(PromptAnswer::Yes);
    AnswerFileDialog(file);
    const MatchCounters counters = app.TheMatch().Keeper()->Counters();
    QVERIFY(app.RunCommand(Command::QuitMatch));
    QVERIFY(!app.State().Competition());
    SavedGame saved;
    QVERIFY(SavedGame::Read(file.toStdString(), saved).Ok());
    QCOMPARE(saved.playerName, std::string("Max"));
    QCOMPARE(saved.level, 3);
    QCOMPARE(saved.counters, counters);

    // Opened from the command line, it goes on with nothing asked.
    game_.Reset();
    game_.Start({file.toStdString()});
    QTRY_VERIFY(game_.App().State().Competition());
    QCOMPARE(game_.App().TheMatch().Keeper()->Counters(), counters);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(file);
}

LEXINUM_GUI_TEST(MatchTest)
#include "MatchTest.moc"
