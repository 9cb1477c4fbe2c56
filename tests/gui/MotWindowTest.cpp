// The letters pane through a whole training round: the player's lexicon, the
// settings, the draw, the verdicts, the groups of "&Voir", and the letters
// field's draw taking effect.
#include "letters/MotWindow.h"
#include "FixtureLexicon.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/CommandLineFile.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotEnterButton.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotEnterEdit.h"
#include "lexicon/LetterKey.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "presentation/ValidEdit.h"
#include "shell/GameFonts.h"
#include "shell/Layout.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

using namespace lexinum;

namespace {

// With the draw TOILEEX: étoile (6), toile (5), île lie lit oie (3), et te (2).
const std::vector<std::string> kWords = {"étoile", "toile", "île", "lie", "lit", "oie", "et", "te"};

// Answers the word entry with `typed`, then OK (or "Annuler").
void Answer(const QString& typed, bool ok = true) {
    test::GameFixture::OnModal([typed, ok](QWidget* modal) {
        auto* dialog = qobject_cast<MotEnterDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QTest::keyClicks(dialog->Edit(), typed);
        QTest::mouseClick(ok ? dialog->OkButton() : dialog->CancelButton(), Qt::LeftButton);
    });
}

// Types `text` into a window, key by key, as the window system sends keys.
void TypeInto(QWindow* window, const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

// The lines of the results box, without the separator's rule.
QStringList ResultLines(const MotWindow* pane) {
    QStringList lines = pane->ResultBox()->toPlainText().split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.trimmed() == QStringLiteral("________"))
            line = QStringLiteral("----");
    }
    return lines;
}

// Lets a first copy of the lexicon held by the test go on.
std::atomic<bool> gCopyReleased{true};

} // namespace

class MotWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() {
        gCopyReleased = true;
        lexicon_.reset();
        game_.Reset();
    }

    void freshStartPlaysAtOnceOnThePlayersOwnLexicon();
    void aCopyThatFailedIsToldAndMadeAgainAtTheNextStart();
    void aFirstStartShowsItsProgressAndEndsWithTheWholeLexicon();
    void countsFromTheSettingsAreBroughtIntoRange();
    void settingsAreWrittenAtCloseInOrder();
    void everyVerdictOfARound();
    void seeShowsOneGroupAtATimeThenANewRound();
    void lastGroupOfMoreThanTwoLettersEndsWithNoMoreSolutions();
    void typedDrawStopsTheRunningSearch();
    void commandTakesTheFieldsDrawFirst();
    void unreadableLexiconWhileJudgingIsNoUnknownWord();
    void largeGroupIsShownWholeUnderItsRemark();
    void roundPlayedFromTheKeyboardAlone();
    void aScreenReaderIsLedToTheVerdictThenEachGroup();
    void lexiconLostBetweenGroupsIsToldBeforeTheNextRound();
    void everyLetterOfALongDrawShows();

private:
    // Starts the game on a fixture lexicon of `words`, with the draw `letters`.
    MotWindow* StartOn(const std::vector<std::string>& words, const QString& letters,
                       const std::vector<std::string>& arguments = {});

    test::GameFixture game_;
    std::unique_ptr<test::FixtureLexicon> lexicon_;
};

MotWindow* MotWindowTest::StartOn(const std::vector<std::string>& words, const QString& letters,
                                  const std::vector<std::string>& arguments) {
    lexicon_ = std::make_unique<test::FixtureLexicon>(words);
    Profile(game_.IniPath().toStdString()).WriteString("LETTRES", "lexiques", lexicon_->Directory().string());
    game_.Start(arguments);
    MotWindow* pane = game_.App().LettersPane();
    pane->LettersField()->setText(letters);
    pane->TakeLettersField();
    return pane;
}

void MotWindowTest::freshStartPlaysAtOnceOnThePlayersOwnLexicon() {
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    // The player's lexicon is a complete copy of the shipped one, in the data folder.
    const QString own = QDir(game_.App().DataFolder()).filePath(QStringLiteral("lexiques"));
    QCOMPARE(pane->LexiconFolder(), own);
    QVERIFY(QFile::exists(own + QStringLiteral("/lex.ini")));
    QCOMPARE(QDir(own).entryList(QDir::Files).size(),
             QDir(game_.App().ShippedLexiconFolder()).entryList(QDir::Files).size());
    QVERIFY(pane->Lexicon().Ready());
    // Nine letters, drawn at once, shown in the field, which has the focus.
    QCOMPARE(pane->Letters().size(), std::size_t(9));
    QCOMPARE(pane->LettersField()->text(), QString::fromStdString(pane->Letters()));
    QCOMPARE(std::count_if(pane->Letters().begin(), pane->Letters().end(),
                           [](char c) { return std::string_view(kVowels).find(c) != std::string_view::npos; }),
             4);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pane->LettersField()));
    QVERIFY(game_.Prompts().messages.empty());
    // The commands of the round are there now.
    QVERIFY(game_.Frame().IsCommandEnabled(Command::NewDraw));
    QVERIFY(game_.Frame().IsCommandEnabled(Command::ShowSolutions));
    QVERIFY(game_.Frame().IsCommandEnabled(Command::ChangeLexicon));
    // The field follows the layout, in the big font, also when the frame is maximized.
    QCOMPARE(pane->LettersField()->geometry(), game_.App().CurrentLayout().DRAW_RECT);
    game_.Frame().showMaximized();
    QTRY_VERIFY(game_.App().Maximized());
    QCOMPARE(pane->LettersField()->geometry(), game_.App().CurrentLayout().DRAW_RECT);
    QCOMPARE(pane->LettersField()->font(), game_.App().Fonts().bigFont);
}

void MotWindowTest::aCopyThatFailedIsToldAndMadeAgainAtTheNextStart() {
    // A file stands where the data folder goes: the copy cannot be made (as on a full disk).
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(QDir(data).removeRecursively());
    QFile blocker(data);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    game_.Start();
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    const std::string& told = game_.Prompts().messages[0].text;
    QVERIFY2(told.rfind("Erreur de fichier:\r\n", 0) == 0, told.c_str());
    QVERIFY2(told.find("prochain démarrage") != std::string::npos, told.c_str());
    QVERIFY(!game_.App().LettersPane()->Lexicon().Ready());
    QVERIFY(game_.Frame().close());

    // The next start, with room, copies it and plays at once.
    QVERIFY(QFile::remove(data));
    game_.Prompts().messages.clear();
    game_.Start();
    QVERIFY(game_.Prompts().messages.empty());
    QVERIFY(game_.App().LettersPane()->Lexicon().Ready());
    QVERIFY(QFile::exists(data + QStringLiteral("/lexiques/lex.ini")));
}

void MotWindowTest::aFirstStartShowsItsProgressAndEndsWithTheWholeLexicon() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString own = data + QStringLiteral("/lexiques");
    QDir(own).removeRecursively();
    QVERIFY(!QFile::exists(own));
    // The copy is held after its first file until the test lets it go.
    gCopyReleased = false;
    MotWindow::SetSeedingWatch([](std::size_t copied, std::size_t) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (copied == 1 && !gCopyReleased && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return true;
    });
    game_.periods.progressDelay = std::chrono::milliseconds(0);
    game_.waitForLexicon = false;
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    TivFrame& frame = game_.Frame();

    // The frame is up with its draw, the message bar says what is prepared
    // (a screen reader reads it from the bar), and no half-made lexicon
    // bears the player's folder name.
    QTRY_VERIFY(frame.ProgressLabel() != nullptr && frame.ProgressLabel()->isVisible());
    const QString preparing = QString::fromUtf8("Préparation du lexique…");
    QCOMPARE(frame.ProgressLabel()->text(), preparing);
    QVERIFY(frame.ProgressBar()->isVisible());
    QCOMPARE(test::GameFixture::AccessibleName(frame.ProgressBar()), preparing);
    QCOMPARE(frame.statusBar()->accessibleDescription(), preparing);
    QVERIFY(pane->PreparingLexicon());
    QVERIFY(!pane->Lexicon().Ready());
    QVERIFY(!QFile::exists(own));
    QCOMPARE(pane->LettersField()->text().size(), 9);
    // Its draws take the letter weights the copy will have.
    LexiconSet shipped;
    shipped.ReadLexIni(game_.App().ShippedLexiconFolder().toStdString());
    QVERIFY(shipped.Ready());
    QVERIFY(pane->Lexicon().VowelWeights() == shipped.VowelWeights());
    QVERIFY(pane->Lexicon().ConsonantWeights() == shipped.ConsonantWeights());
    // The game answers meanwhile: the other game and back.
    QVERIFY(game_.App().RunCommand(Command::PlayNumbers));
    QVERIFY(!game_.App().State().LettersShown());
    QVERIFY(game_.App().RunCommand(Command::PlayLetters));
    QVERIFY(game_.App().State().LettersShown());

    // What needs the lexicon waits for the whole copy, then has it.
    QTimer::singleShot(20, [] { gCopyReleased = true; });
    QVERIFY(pane->EnsureLexicon());
    QVERIFY(!pane->PreparingLexicon());
    QVERIFY(pane->Lexicon().Ready());
    QVERIFY(!frame.ProgressLabel()->isVisible());
    QVERIFY(!frame.ProgressBar()->isVisible());
    QCOMPARE(QDir(own).entryList(QDir::Files).size(),
             QDir(game_.App().ShippedLexiconFolder()).entryList(QDir::Files).size());
    QCOMPARE(
        QDir(data).entryList(QStringList{QStringLiteral(".lexiques.copie-*")}, QDir::AllEntries | QDir::Hidden).size(),
        0);
    QVERIFY(game_.Prompts().messages.empty());
}

void MotWindowTest::countsFromTheSettingsAreBroughtIntoRange() {
    {
        Profile settings(game_.IniPath().toStdString());
        settings.WriteInt("LETTRES", "nb lettres", 40);
        settings.WriteInt("LETTRES", "nb voyelles", 50);
    }
    game_.Start();
    MotWindow* pane = game_.App().LettersPane();
    QCOMPARE(pane->LetterCount(), 27);
    QCOMPARE(pane->VowelCount(), 27);
    QCOMPARE(pane->Letters().size(), std::size_t(27));
    game_.Reset();

    {
        Profile settings(game_.IniPath().toStdString());
        settings.WriteInt("LETTRES", "nb lettres", 1);
        settings.WriteInt("LETTRES", "nb voyelles", -3);
    }
    game_.Start();
    pane = game_.App().LettersPane();
    QCOMPARE(pane->LetterCount(), 2);
    QCOMPARE(pane->VowelCount(), 0);
    QCOMPARE(pane->Letters().size(), std::size_t(2));
}

void MotWindowTest::settingsAreWrittenAtCloseInOrder() {
    game_.automaticDraws = false;
    game_.Start();
    // Starting wrote nothing; from an empty file, the order of the keys is
    // the order of the writes.
    QVERIFY(!QFile::exists(game_.IniPath()));
    QVERIFY(game_.Frame().close());
    QFile file(game_.IniPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList letters;
    QStringList general;
    QStringList* section = nullptr;
    for (const QString& line : QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QLatin1Char('[')))
            section = line == QStringLiteral("[LETTRES]")   ? &letters
                      : line == QStringLiteral("[GENERAL]") ? &general
                                                            : nullptr;
        else if (section != nullptr && line.contains(QLatin1Char('=')))
            *section << line.section(QLatin1Char('='), 0, 0);
    }
    QCOMPARE(letters,
             QStringList({"Couleur", "nb voyelles", "nb lettres", "choix auto", "palette", "lexiques", "Police",
                          "hauteur police", QString::fromLatin1("\xE9paisseur police"), "italique"}));
    QVERIFY(general.contains(QStringLiteral("palette x")) && general.contains(QStringLiteral("palette y")));
    const Profile settings(game_.IniPath().toStdString());
    QCOMPARE(settings.ReadInt("LETTRES", "nb lettres", 0), 9);
    QCOMPARE(settings.ReadInt("LETTRES", "nb voyelles", 0), 4);
    QCOMPARE(settings.ReadInt("LETTRES", "choix auto", 1), 0);
    QCOMPARE(settings.ReadInt("LETTRES", "palette", 0), 1);
    // The player's own lexicon is kept relative to the data folder, whose path may be long or move.
    QCOMPARE(settings.ReadString("LETTRES", "lexiques", "", Profile::kMaxValueLength), std::string("lexiques"));
}

void MotWindowTest::everyVerdictOfARound() {
    MotWindow* pane = StartOn(kWords, QStringLiteral("TOILEEX"));
    TivApp& app = game_.App();

    Answer(QStringLiteral("ETOILE"));
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QCOMPARE(ResultLines(pane), QStringList({QString::fromUtf8(" ETOILE accepté."), " (6 lettres)", "----",
                                             " Bravo !  Pas mieux.", " 6 lettres:   ", QString::fromUtf8("étoile ")}));
    QCOMPARE(pane->WordResult(), WordCheckResult::Accepted);

    // A new round on the same draw: the search is stopped by the new round's start.
    pane->StopSearch();
    Answer(QStringLiteral("TOILE"));
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QCOMPARE(ResultLines(pane), QStringList({QString::fromUtf8(" TOILE accepté."), " (5 lettres)", "----",
                                             " 6 lettres:   ", QString::fromUtf8("étoile ")}));

    pane->StopSearch();
    Answer(QStringLiteral("TOILX"));
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QCOMPARE(ResultLines(pane).mid(0, 3),
             QStringList({QString::fromUtf8(" TOILX refusé:"), QStringLiteral("       Mot inconnu."), "----"}));

    pane->StopSearch();
    Answer(QStringLiteral("E"));
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QCOMPARE(ResultLines(pane).mid(0, 3),
             QStringList({QString::fromUtf8(" E refusé:"),
                          QStringLiteral(" Les mots d'une lettre ne sont pas pris en compte."), "----"}));

    pane->StopSearch();
    Answer(QString(), false);
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QCOMPARE(ResultLines(pane).mid(0, 2), QStringList({QString::fromUtf8(" Aucune réponse donnée."), "----"}));
    QCOMPARE(pane->WordResult(), WordCheckResult::NoAnswer);

    // Letters the draw lacks cannot be typed; a word placed in the field
    // otherwise is still judged on its letters first.
    pane->StopSearch();
    test::GameFixture::OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<MotEnterDialog*>(modal);
        dialog->Edit()->setText(QStringLiteral("ZOO"));
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QCOMPARE(ResultLines(pane).mid(0, 3),
             QStringList({QString::fromUtf8(" ZOO refusé:"), QString::fromUtf8("       Lettres erronées."), "----"}));
    QVERIFY(game_.Prompts().messages.empty());
}

void MotWindowTest::seeShowsOneGroupAtATimeThenANewRound() {
    MotWindow* pane = StartOn(kWords, QStringLiteral("TOILEEX"));
    TivApp& app = game_.App();
    Answer(QStringLiteral("LIT"));
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QVERIFY(!pane->Channel().Stopped());
    // Each "&Voir" adds the next group, and no new round starts meanwhile.
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    // One group after the other, the words of each on one line.
    QCOMPARE(ResultLines(pane).mid(2),
             QStringList({"----", " 6 lettres:   ", QString::fromUtf8("étoile "), " 5 lettres:   ", "toile ",
                          " 3 lettres:   ", QString::fromUtf8("île lie lit oie "), " 2 lettres:   ", "et te "}));
    QTRY_VERIFY(pane->Channel().Stopped());
    // The search is over: the next "&Voir" is a new round, asking a word again.
    bool asked = false;
    test::GameFixture::OnModal([&asked](QWidget* modal) {
        asked = qobject_cast<MotEnterDialog*>(modal) != nullptr;
        static_cast<QDialog*>(modal)->reject();
    });
    QVERIFY(app.RunCommand(Command::ShowSolutions));
    QVERIFY(asked);
    QCOMPARE(ResultLines(pane).first(), QString::fromUtf8(" Aucune réponse donnée."));
}

void MotWindowTest::lastGroupOfMoreThanTwoLettersEndsWithNoMoreSolutions() {
    MotWindow* pane = StartOn({"toile", "lit", "tri"}, QStringLiteral("TOILER"));
    Answer(QStringLiteral("TRI"));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCOMPARE(ResultLines(pane).mid(2), QStringList({"----", " 5 lettres:   ", "toile ", " 3 lettres:   ", "lit tri ",
                                                    " Plus de solutions...", ""}));
}

void MotWindowTest::typedDrawStopsTheRunningSearch() {
    MotWindow* pane = StartOn(kWords, QStringLiteral("TOILEEX"));
    Answer(QStringLiteral("ETOILE"));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(!pane->Channel().Stopped());

    // The player types a new draw while the search waits between groups...
    game_.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game_.Frame()));
    ValidEdit* field = pane->LettersField();
    field->setFocus();
    field->selectAll();
    QSignalSpy refused(field, &ValidEdit::refused);
    QTest::keyClicks(field, QStringLiteral("lit1"));
    QCOMPARE(refused.count(), 1);
    QCOMPARE(field->text(), QStringLiteral("LIT"));
    QCOMPARE(pane->Letters(), std::string("TOILEEX"));
    QVERIFY(!pane->Channel().Stopped());
    // ...then moves to a pane button: the draw is taken and the search ends.
    pane->Button(Command::NewDraw)->setFocus(Qt::TabFocusReason);
    QCOMPARE(pane->Letters(), std::string("LIT"));
    QVERIFY(pane->Channel().Stopped());
    QTRY_VERIFY(!pane->Channel().WorkerAlive());
}

void MotWindowTest::commandTakesTheFieldsDrawFirst() {
    MotWindow* pane = StartOn(kWords, QStringLiteral("TOILEEX"));
    ValidEdit* field = pane->LettersField();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("tel"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field));
    QString buttons;
    test::GameFixture::OnModal([&buttons](QWidget* modal) {
        auto* dialog = qobject_cast<MotEnterDialog*>(modal);
        for (int i = 0; i < WordEntryButtons::kButtonCount; ++i) {
            if (dialog->LetterButton(i)->isVisibleTo(dialog))
                buttons += dialog->LetterButton(i)->text();
        }
        QTest::keyClicks(dialog->Edit(), QStringLiteral("TE"));
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    // The menu item, while the field still has the focus.
    game_.Frame().FindMenuItem(Command::ShowSolutions)->trigger();
    QCOMPARE(buttons, QStringLiteral("TEL"));
    QCOMPARE(pane->Letters(), std::string("TEL"));
    QCOMPARE(ResultLines(pane), QStringList({QString::fromUtf8(" TE accepté."), " (2 lettres)", "----",
                                             " Bravo !  Pas mieux.", " 2 lettres:   ", "et te "}));
}

void MotWindowTest::unreadableLexiconWhileJudgingIsNoUnknownWord() {
    MotWindow* pane = StartOn(kWords, QStringLiteral("TOILEEX"));
    const LexiconSet& lexicon = pane->Lexicon();
    const std::string key = MakeKey("TOILE");
    std::filesystem::remove(lexicon.LexFilePath(lexicon.FindLexFile(key, 5, 0)));
    Answer(QStringLiteral("TOILE"));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(!game_.Prompts().messages.empty());
    QCOMPARE(game_.Prompts().messages.front().text, std::string(LexiconTexts::kLostLexicon));
    const QStringList lines = ResultLines(pane);
    QCOMPARE(lines.first(), QString::fromUtf8(" TOILE non vérifié:"));
    QVERIFY(!lines.contains(QStringLiteral("       Mot inconnu.")));
}

void MotWindowTest::largeGroupIsShownWholeUnderItsRemark() {
    // 36 keys of seven of the nine letters, twenty anagrams each: 720 words
    // of seven letters, more than a group keeps or the box shows.
    const std::string draw = "abcdefghi";
    std::vector<std::string> words;
    for (std::size_t a = 0; a < draw.size(); ++a) {
        for (std::size_t b = a + 1; b < draw.size(); ++b) {
            std::string kept;
            for (std::size_t i = 0; i < draw.size(); ++i) {
                if (i != a && i != b)
                    kept += draw[i];
            }
            for (int n = 0; n < 20; ++n) {
                words.push_back(kept);
                std::next_permutation(kept.begin(), kept.end());
            }
        }
    }
    MotWindow* pane = StartOn(words, QStringLiteral("ABCDEFGHI"));
    Answer(QStringLiteral("ABCDEFG"));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    const QStringList lines = ResultLines(pane);
    QCOMPARE(lines.mid(0, 6), QStringList({QString::fromUtf8(" ABCDEFG accepté."), " (7 lettres)", "----",
                                           " Bravo !  Pas mieux.", " 7 lettres:   ", lines.at(5)}));
    // Whole words only, as many as the bound lets through, then the remark.
    const QStringList shown = lines.at(5).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QVERIFY(shown.size() > 300 && shown.size() < 600);
    for (const QString& word : shown)
        QVERIFY2(word.size() == 7, qPrintable(word));
    QCOMPARE(lines.mid(6), QStringList({QString::fromUtf8(" Trop de solutions. Des mots ont pu être omis.")}));
}

void MotWindowTest::roundPlayedFromTheKeyboardAlone() {
    MotWindow* pane = StartOn(kWords, QStringLiteral("ABC"));
    TivFrame& frame = game_.Frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    // The draw, typed in the field that has the focus.
    pane->LettersField()->setFocus();
    QTest::keyClick(frame.windowHandle(), Qt::Key_A, Qt::ControlModifier);
    TypeInto(frame.windowHandle(), QStringLiteral("toileex"));
    QCOMPARE(pane->LettersField()->text(), QStringLiteral("TOILEEX"));
    // "&Voir" by its key; the word typed in the entry, which has the focus, and Return.
    test::GameFixture::WhenModal([](QWidget* modal) {
        QVERIFY(qobject_cast<MotEnterDialog*>(modal) != nullptr);
        QVERIFY(QTest::qWaitForWindowActive(modal));
        QTRY_VERIFY(qobject_cast<MotEnterEdit*>(QApplication::focusWidget()) != nullptr);
        TypeInto(modal->windowHandle(), QStringLiteral("toile"));
        QTest::keyClick(modal->windowHandle(), Qt::Key_Return);
    });
    // Keys go through the window, as the window system sends them, so that
    // the buttons' shortcuts answer (they click a moment later).
    QTest::keyClick(frame.windowHandle(), Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(pane->WordResult(), WordCheckResult::Accepted);
    QCOMPARE(pane->Letters(), std::string("TOILEEX"));
    QTRY_COMPARE(ResultLines(pane).mid(3, 2), QStringList({" 6 lettres:   ", QString::fromUtf8("étoile ")}));
    // And "&Voir" again for the next group (the offscreen screen gives the
    // frame back its activation only when asked).
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(frame.windowHandle(), Qt::Key_V, Qt::AltModifier);
    QTRY_VERIFY(ResultLines(pane).contains(QStringLiteral(" 5 lettres:   ")));
    // From the results box, Escape (or Tab) goes to "No&uveau".
    pane->ResultBox()->setFocus();
    QTest::keyClick(pane->ResultBox(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pane->Button(Command::NewDraw)));
    // A new draw by its key.
    QTest::keyClick(frame.windowHandle(), Qt::Key_U, Qt::AltModifier);
    QTRY_COMPARE(pane->Letters().size(), std::size_t(9));
    QVERIFY(pane->Channel().Stopped());
}

void MotWindowTest::aScreenReaderIsLedToTheVerdictThenEachGroup() {
    MotWindow* pane = StartOn(kWords, QStringLiteral("TOILEEX"), {kScreenReaderOption});
    ResultEdit* box = pane->ResultBox();
    Answer(QStringLiteral("TOILE"));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    // The verdict is read first: the box has the focus, its caret at the top.
    QCOMPARE(game_.Frame().focusWidget(), static_cast<QWidget*>(box));
    QCOMPARE(box->textCursor().position(), 0);
    QVERIFY(box->toPlainText().startsWith(QString::fromUtf8(" TOILE accepté.")));
    // Each "&Voir" leads the reader to the group it adds.
    const int groupStart = box->EndPosition();
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCOMPARE(game_.Frame().focusWidget(), static_cast<QWidget*>(box));
    QCOMPARE(box->toPlainText().mid(box->textCursor().position(), 11), QStringLiteral(" 5 lettres:"));
    QVERIFY(box->textCursor().position() > groupStart);
    // The arrows read on, Shift selects, Ctrl+C copies, Tab leaves for "No&uveau".
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(box->textCursor().selectedText(), QStringLiteral(" 5 "));
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(" 5 "));
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(game_.Frame().focusWidget(), static_cast<QWidget*>(pane->Button(Command::NewDraw)));
}

void MotWindowTest::lexiconLostBetweenGroupsIsToldBeforeTheNextRound() {
    MotWindow* pane = StartOn(kWords, QStringLiteral("TOILEEX"));
    const LexiconSet& lexicon = pane->Lexicon();
    Answer(QStringLiteral("TOILE"));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    // The file of the two-letter words goes while the search reads ahead.
    std::filesystem::remove(lexicon.LexFilePath(lexicon.FindLexFile(MakeKey("ET"), 2, 0)));
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QTRY_VERIFY(pane->Channel().Stopped());
    QVERIFY(game_.Prompts().messages.empty());
    // The next "&Voir" tells the loss before anything new.
    std::size_t toldBeforeTheDialog = 0;
    test::GameFixture::OnModal([this, &toldBeforeTheDialog](QWidget* modal) {
        toldBeforeTheDialog = game_.Prompts().messages.size();
        static_cast<QDialog*>(modal)->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCOMPARE(toldBeforeTheDialog, std::size_t(1));
    QCOMPARE(game_.Prompts().messages.front().text, std::string(LexiconTexts::kLostLexicon));
}

void MotWindowTest::everyLetterOfALongDrawShows() {
    game_.Start();
    ValidEdit* field = game_.App().LettersPane()->LettersField();
    const int nine = field->font().pixelSize();
    QCOMPARE(nine, game_.App().Fonts().bigFont.pixelSize());
    for (const QString& draw : {QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWW"), QStringLiteral("MNOPQRSTUVWXYZE")}) {
        field->setText(draw);
        QVERIFY2(QFontMetrics(field->font()).horizontalAdvance(draw) < field->contentsRect().width(), qPrintable(draw));
    }
    // A short draw takes the big font back.
    field->setText(QStringLiteral("TOILEEX"));
    QCOMPARE(field->font().pixelSize(), nine);
}

LEXINUM_GUI_TEST(MotWindowTest)
#include "MotWindowTest.moc"
