// The numbers pane in training: its boxes and their rules, the draws, a whole
// round through the entry dialog with every verdict and the solutions one by
// one, the boxes' stepping, and its settings.
#include "numbers/ChifWindow.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "ModalActs.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "common/Random15.h"
#include "core/numbers/NumberRules.h"
#include "numbers/ChifEnterDialog.h"
#include "presentation/ChifEdit.h"
#include "presentation/HlpStrButton.h"
#include "presentation/ResultEdit.h"
#include "shell/GameFonts.h"
#include "shell/Layout.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>

using namespace lexinum;

namespace {

// Runs `act` on the entry dialog once it is open (the pane may wait for its
// search, letting timers run, before it opens it).
void WhenEntryDialogOpens(std::function<void(ChifEnterDialog*)> act) {
    test::ModalActs::OnModal([act](QWidget* modal) {
        auto* dialog = qobject_cast<ChifEnterDialog*>(modal);
        QVERIFY(dialog != nullptr);
        act(dialog);
    });
}

// Plays the player's turn once the entry dialog is open: "3" clicks number
// button 3 (0-5), "+ - x /" the operations, "ok" and "annuler" end the turn.
void PlayTurn(const QStringList& clicks) {
    WhenEntryDialogOpens([clicks](ChifEnterDialog* dialog) {
        const QString operations = QStringLiteral("+-x/");
        for (const QString& click : clicks) {
            QPushButton* button = nullptr;
            if (click == QStringLiteral("ok"))
                button = dialog->OkButton();
            else if (click == QStringLiteral("annuler"))
                button = dialog->CancelButton();
            else if (operations.contains(click))
                button = dialog->OperationButton(static_cast<int>(operations.indexOf(click)));
            else
                button = dialog->NumberButton(click.toInt());
            QTest::mouseClick(button, Qt::LeftButton);
        }
        if (dialog->isVisible())
            dialog->reject();
    });
}

// Closes any dialog that opens by mistake, and says so.
void DismissAnyDialog(bool& opened) {
    QTimer::singleShot(0, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
}

// Records like the game's prompter, and like a message box keeps the
// player a moment while events (timers) go on.
class LingeringPrompter : public Prompter {
public:
    explicit LingeringPrompter(test::RecordingPrompter& recording) : recording_(recording) {}
    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptIcon icon,
                     PromptButtons buttons) override {
        const PromptAnswer answer = recording_.Ask(text, caption, icon, buttons);
        QTest::qWait(60);
        return answer;
    }

private:
    test::RecordingPrompter& recording_;
};

void Retype(ChifEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class ChifWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void init() { Random15::Seed(2024); }
    void cleanup() { game_.Reset(); }

    void boxesArePlacedNamedAndReachable();
    void newDrawTakesTilesOrFreeNumbers();
    void boxesRefuseWhatTheirRulesRefuse();
    void aRefusedBoxIsToldOnceWhereverTheFocusGoes();
    void everyNumberBoxIsCheckedBeforeARound();
    void exactAnswerWithMoreLinesThanTheSimplest();
    void targetEqualToADrawnNumber();
    void missedAnswersAndNoAnswer();
    void nearestIsComparedWithTheAnswerGiven();
    void aChangedNumberStopsTheSearch();
    void boxesStepWithTheKeysAndTheRightButton();
    void settingsAreReadInRangeAndWrittenAtClose();

private:
    ChifWindow* ShowNumbers();
    QString Results() { return game_.App().NumbersPane()->ResultBox()->toPlainText(); }

    test::GameFixture game_;
};

ChifWindow* ChifWindowTest::ShowNumbers() {
    game_.Start();
    game_.Frame().activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(&game_.Frame())); }();
    game_.App().ShowGame(Game::Numbers);
    return game_.App().NumbersPane();
}

void ChifWindowTest::boxesArePlacedNamedAndReachable() {
    ChifWindow* pane = ShowNumbers();
    const Layout& layout = game_.App().CurrentLayout();
    const GameFonts& fonts = game_.App().Fonts();
    for (int i = 0; i < 6; ++i) {
        ChifEdit* box = pane->NumberBox(i);
        QCOMPARE(box->geometry(), layout.NUMBER_RECT.translated(i * (layout.BOX_WDTH + layout.CHAR_WDTH), 0));
        QCOMPARE(box->font(), fonts.baseFont);
        QCOMPARE(test::GameFixture::AccessibleName(box), QStringLiteral("Nombre %1").arg(i + 1));
        QCOMPARE(box->maxLength(), 3);
        QCOMPARE(box->alignment() & Qt::AlignRight, Qt::AlignRight);
    }
    QCOMPARE(pane->TargetBox()->geometry(), layout.TARGET_RECT);
    QCOMPARE(pane->TargetBox()->font(), fonts.bigFont);
    QCOMPARE(test::GameFixture::AccessibleName(pane->TargetBox()), QStringLiteral("Compte"));
    QCOMPARE(pane->TargetBox()->maxLength(), 5);
    // The pane comes forward with number box 1 focused, its text selected.
    QCOMPARE(QApplication::focusWidget(), pane->NumberBox(0));
    QCOMPARE(pane->NumberBox(0)->selectedText(), pane->NumberBox(0)->text());
    // Tab goes through the six numbers, the target, then "No&uveau".
    for (int i = 1; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), pane->NumberBox(i));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pane->TargetBox());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pane->Button(Command::NewDraw));
    // Its commands are there in training.
    for (Command command : {Command::NewDraw, Command::ShowSolutions, Command::Options, Command::PlayLetters})
        QVERIFY2(pane->Button(Command::NewDraw)->isEnabled() && game_.Frame().IsCommandEnabled(command),
                 qPrintable(QString::number(CommandNumber(command))));
}

void ChifWindowTest::newDrawTakesTilesOrFreeNumbers() {
    ChifWindow* pane = ShowNumbers();
    for (int round = 0; round < 40; ++round) {
        QVERIFY(game_.App().RunCommand(Command::NewDraw));
        std::map<int, int> counts;
        for (int i = 0; i < 6; ++i) {
            const int value = pane->Draw().numbers[static_cast<std::size_t>(i)];
            QCOMPARE(pane->NumberBox(i)->text(), QString::number(value));
            ++counts[value];
        }
        for (const auto& [value, count] : counts) {
            const int kind = NumberRules::TileKindOfValue(value);
            QVERIFY2(kind >= 0, qPrintable(QString::number(value)));
            QVERIFY(count <= NumberRules::kTileCounts[static_cast<std::size_t>(kind)]);
        }
        QVERIFY(pane->Draw().target >= 101 && pane->Draw().target <= 999);
        QCOMPARE(pane->TargetBox()->text(), QString::number(pane->Draw().target));
    }
    // Free numbers, and a range of one target.
    pane->ApplyOptions({500, 500, false});
    bool beyondTiles = false;
    for (int round = 0; round < 40; ++round) {
        QVERIFY(game_.App().RunCommand(Command::NewDraw));
        for (int value : pane->Draw().numbers) {
            QVERIFY(value >= 1 && value <= 100);
            beyondTiles = beyondTiles || NumberRules::TileKindOfValue(value) < 0;
        }
        QCOMPARE(pane->Draw().target, 500);
    }
    QVERIFY(beyondTiles);
    // A new draw empties the results box.
    std::string text = "reste\r\n";
    pane->ResultBox()->Append(text);
    QVERIFY(game_.App().RunCommand(Command::NewDraw));
    QVERIFY(Results().isEmpty());
}

void ChifWindowTest::boxesRefuseWhatTheirRulesRefuse() {
    ChifWindow* pane = ShowNumbers();
    bool opened = false;
    const auto refusedWith = [&](ChifEdit* box, const QString& text, const char* message) {
        game_.Prompts().messages.clear();
        Retype(box, text);
        DismissAnyDialog(opened);
        QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
        QCoreApplication::processEvents();
        QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
        QCOMPARE(game_.Prompts().messages[0].text, std::string(message));
        QCOMPARE(game_.Prompts().messages[0].caption, std::string("Lexinum"));
        QCOMPARE(game_.Prompts().messages[0].icon, PromptIcon::Exclamation);
        // The box is given back to the player, its text selected.
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), text);
        QVERIFY(!opened);
    };
    // Tiles: only the 14 tile texts.
    refusedWith(pane->NumberBox(1), QStringLiteral("11"), "Le caractère entré n'est pas valable");
    Retype(pane->NumberBox(1), QStringLiteral("25"));
    refusedWith(pane->TargetBox(), QStringLiteral("50"), "La valeur doit être entre 101 et 999.");
    Retype(pane->TargetBox(), QStringLiteral("500"));
    // Free numbers: 1 to 100.
    pane->ApplyOptions({101, 999, true});
    pane->ApplyOptions({101, 999, false});
    refusedWith(pane->NumberBox(4), QStringLiteral("0"), "La valeur doit être entre 1 et 100.");

    // Only digits can be typed; anything else beeps.
    ChifEdit* box = pane->NumberBox(2);
    QSignalSpy refused(box, &ChifEdit::keyRefused);
    Retype(box, QStringLiteral("4a-"));
    QCOMPARE(box->text(), QStringLiteral("4"));
    QCOMPARE(refused.count(), 2);
    // Leaving a refused box with the keyboard says so at once.
    game_.Prompts().messages.clear();
    Retype(pane->NumberBox(3), QStringLiteral("101"));
    QTest::keyClick(pane->NumberBox(3), Qt::Key_Tab);
    QTRY_COMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QCOMPARE(game_.Prompts().messages[0].text, std::string("La valeur doit être entre 1 et 100."));
    QCOMPARE(QApplication::focusWidget(), pane->NumberBox(3));
}

void ChifWindowTest::aRefusedBoxIsToldOnceWhereverTheFocusGoes() {
    ChifWindow* pane = ShowNumbers();
    ChifEdit* box = pane->NumberBox(1);
    HlpStrButton* newDraw = pane->Button(Command::NewDraw);
    HlpStrButton* solutions = pane->Button(Command::ShowSolutions);
    const std::string refusal = "Le caractère entré n'est pas valable";
    LingeringPrompter lingering(game_.Prompts());
    Prompter::SetActive(&lingering);
    const auto restore = qScopeGuard([this] { Prompter::SetActive(&game_.Prompts()); });
    // How the player leaves a box showing "11" (not a tile), how many
    // messages he then reads, and whether a new draw replaces it.
    const struct {
        const char* how;
        std::function<void()> leave;
        std::size_t messages;
        bool drawn;
    } cases[] = {
        {"Tab", [&] { QTest::keyClick(box, Qt::Key_Tab); }, 1, false},
        {"a click in the results box", [&] { QTest::mouseClick(pane->ResultBox()->viewport(), Qt::LeftButton); }, 1,
         false},
        {"a click in the target box", [&] { QTest::mouseClick(pane->TargetBox(), Qt::LeftButton); }, 1, false},
        // "&Voir" refuses the box itself: once, whether the press or the
        // release comes first.
        {"a click on Voir", [&] { QTest::mouseClick(solutions, Qt::LeftButton); }, 1, false},
        {"Voir held down a while",
         [&] {
             QTest::mousePress(solutions, Qt::LeftButton);
             QTest::qWait(50);
             QTest::mouseRelease(solutions, Qt::LeftButton);
         },
         1, false},
        // A new draw replaces the refused text: nothing to say.
        {"a click on Nouveau", [&] { QTest::mouseClick(newDraw, Qt::LeftButton); }, 0, true},
        {"Nouveau held down a while",
         [&] {
             QTest::mousePress(newDraw, Qt::LeftButton);
             QTest::qWait(50);
             QTest::mouseRelease(newDraw, Qt::LeftButton);
         },
         0, true},
        {"Alt+U", [&] { QTest::keyClick(box, Qt::Key_U, Qt::AltModifier); }, 0, true},
    };
    for (const auto& leaving : cases) {
        const QString how = QString::fromUtf8(leaving.how);
        pane->ShowDraw({{1, 2, 3, 4, 5, 6}, 500});
        Retype(box, QStringLiteral("11"));
        game_.Prompts().messages.clear();
        bool opened = false;
        DismissAnyDialog(opened);
        leaving.leave();
        if (leaving.drawn)
            QTRY_VERIFY2(box->text() != QStringLiteral("11"), qPrintable(how));
        QTest::qWait(60);
        QVERIFY2(!opened, qPrintable(how));
        QVERIFY2(game_.Prompts().messages.size() == leaving.messages, qPrintable(how));
        if (leaving.messages == 0)
            continue;
        QCOMPARE(game_.Prompts().messages[0].text, refusal);
        // The box is given back to the player, its text selected.
        QVERIFY2(QApplication::focusWidget() == box, qPrintable(how));
        QCOMPARE(box->selectedText(), QStringLiteral("11"));
    }
    // After Alt+U the focus stays in the box, the new number selected:
    // typing replaces it.
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->text(), QString::number(pane->Draw().numbers[1]));
    QTest::keyClicks(box, "7");
    QCOMPARE(box->text(), QStringLiteral("7"));
    QCOMPARE(pane->Draw().numbers[1], 7);
}

void ChifWindowTest::everyNumberBoxIsCheckedBeforeARound() {
    ChifWindow* pane = ShowNumbers();
    pane->ApplyOptions({101, 999, false});
    pane->ShowDraw({{10, 20, 30, 40, 50, 60}, 500});
    // The player types 150 into a free box: refused, and the box never stands
    // for the 15 it showed on the way.
    Retype(pane->NumberBox(2), QStringLiteral("150"));
    QCOMPARE(pane->Draw().numbers[2], 15);
    bool opened = false;
    DismissAnyDialog(opened);
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCoreApplication::processEvents();
    QVERIFY(!opened);
    QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
    QCOMPARE(game_.Prompts().messages[0].text, std::string("La valeur doit être entre 1 et 100."));
    QCOMPARE(QApplication::focusWidget(), pane->NumberBox(2));

    // Put right, the round plays with what the boxes show.
    Retype(pane->NumberBox(2), QStringLiteral("99"));
    QStringList shown;
    WhenEntryDialogOpens([&shown](ChifEnterDialog* dialog) {
        for (int i = 0; i < 6; ++i)
            shown << dialog->NumberButton(i)->text();
        dialog->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCOMPARE(shown, QStringList({"10", "20", "99", "40", "50", "60"}));
    QCOMPARE(pane->PlayerAnswer().numbers()[2], 99);
}

void ChifWindowTest::exactAnswerWithMoreLinesThanTheSimplest() {
    ChifWindow* pane = ShowNumbers();
    pane->ShowDraw({{100, 75, 50, 25, 10, 1}, 125});
    // 100 + 50 = 150, 150 - 25 = 125: right, but 100 + 25 is simpler.
    PlayTurn({"0", "+", "2", "2", "-", "3", "ok"});
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(pane->PlayerAnswer().playerExact());
    const QString first = Results();
    QVERIFY2(first.startsWith(QStringLiteral(" Votre compte est bon:\n  100 + 50 = 150\n   150 - 25 = 125\n"
                                             " Félicitations!\n")),
             qPrintable(first));
    QVERIFY2(first.endsWith(QStringLiteral("________\n Il y a plus simple: \n  100 + 25 = 125\n")), qPrintable(first));
    QVERIFY(!pane->Channel().Stopped());

    // Each "&Voir" shows one more solution, without asking the player again.
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    const QString second = Results();
    QVERIFY(second.startsWith(first));
    QVERIFY(second.size() > first.size());
    QCOMPARE(second.count(QStringLiteral(" = 125\n")), first.count(QStringLiteral(" = 125\n")) + 1);
    // ...until the last, then the closing text; then the search is over and
    // the next "&Voir" is a new round.
    for (int more = 0; more < 2000 && !pane->Channel().Stopped(); ++more)
        QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(Results().endsWith(QStringLiteral("\n Plus de solutions...")));
    QVERIFY(!pane->Channel().WorkerAlive());
    PlayTurn({"annuler"});
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(Results().startsWith(QStringLiteral(" Aucune réponse donnée.\n")));
}

void ChifWindowTest::targetEqualToADrawnNumber() {
    ChifWindow* pane = ShowNumbers();
    pane->ApplyOptions({2, 999, true});
    // No answer, then the number itself given as the answer: either way the
    // computer's part says the drawn number was the count.
    for (const QStringList& turn : {QStringList{}, QStringList{"2", "ok"}}) {
        pane->ShowDraw({{100, 75, 50, 25, 10, 1}, 50});
        PlayTurn(turn);
        QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
        const QString results = Results();
        const QString computers = results.mid(results.indexOf(QStringLiteral("________")));
        QVERIFY2(computers.contains(QStringLiteral(" Il fallait le faire !")), qPrintable(results));
        QVERIFY2(computers.contains(QStringLiteral("   50 = 50")), qPrintable(results));
        QVERIFY2(!computers.contains(QStringLiteral("près")), qPrintable(results));
        pane->StopSearch();
    }
}

void ChifWindowTest::missedAnswersAndNoAnswer() {
    ChifWindow* pane = ShowNumbers();
    pane->ShowDraw({{100, 75, 50, 25, 10, 1}, 126});
    // One away, with a line.
    PlayTurn({"0", "+", "3", "ok"});
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QString results = Results();
    QVERIFY2(results.startsWith(QStringLiteral(" Votre compte à 1 près:\n  100 + 25 = 125\n")), qPrintable(results));
    QVERIFY2(results.contains(QStringLiteral("________\n 126 trouvé: \n")), qPrintable(results));

    // One number alone: the line is that number.
    PlayTurn({"0", "ok"});
    QVERIFY(game_.App().RunCommand(Command::NewDraw));
    pane->ShowDraw({{100, 75, 50, 25, 10, 1}, 126});
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    results = Results();
    QVERIFY2(results.startsWith(QStringLiteral(" Votre compte à 26 près:\n 100\n")), qPrintable(results));
    QCOMPARE(pane->PlayerAnswer().playerLineCount(), 0);

    // A number and an operation are no answer; nor is "Annuler".
    for (const QStringList& turn : {QStringList{"0", "+", "ok"}, QStringList{"0", "+", "3", "annuler"}}) {
        QVERIFY(game_.App().RunCommand(Command::NewDraw));
        pane->ShowDraw({{100, 75, 50, 25, 10, 1}, 126});
        PlayTurn(turn);
        QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
        results = Results();
        QVERIFY2(results.startsWith(QStringLiteral(" Aucune réponse donnée.\n")), qPrintable(results));
        QVERIFY(results.contains(QStringLiteral(" 126 trouvé: \n")));
    }
}

void ChifWindowTest::nearestIsComparedWithTheAnswerGiven() {
    // Six 2s come no nearer to 101 than 64. The search ends at once, long
    // before the player answers; the remark compares with his answer.
    ChifWindow* pane = ShowNumbers();
    pane->ShowDraw({{2, 2, 2, 2, 2, 2}, 101});
    PlayTurn({"0", "x", "1", "1", "x", "2", "2", "x", "3", "3", "x", "4", "4", "x", "5", "ok"});
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCOMPARE(pane->PlayerAnswer().playerResult(), 64);
    QString results = Results();
    QVERIFY2(results.startsWith(QStringLiteral(" Votre compte à 37 près:\n  2 * 2 = 4\n")), qPrintable(results));
    QVERIFY2(results.contains(QStringLiteral("________\n Pas mieux.\n")), qPrintable(results));
    QVERIFY(results.trimmed().endsWith(QStringLiteral("= 64")));
    // The search is over: the next "&Voir" is a new round.
    QVERIFY(pane->Channel().Stopped());

    PlayTurn({"0", "x", "1", "ok"});
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    results = Results();
    QVERIFY2(results.startsWith(QStringLiteral(" Votre compte à 97 près:\n")), qPrintable(results));
    QVERIFY2(results.contains(QStringLiteral("________\n 101 à 37 près seulement...\n")), qPrintable(results));
}

void ChifWindowTest::aChangedNumberStopsTheSearch() {
    ChifWindow* pane = ShowNumbers();
    pane->ShowDraw({{100, 75, 50, 25, 10, 1}, 125});
    PlayTurn({"annuler"});
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(!pane->Channel().Stopped());
    // The player types another number while solutions are shown.
    Retype(pane->NumberBox(5), QStringLiteral("2"));
    QVERIFY(pane->Channel().Stopped());
    QCOMPARE(pane->Draw().numbers[5], 2);
    // The next "&Voir" is a new round on the new numbers.
    QStringList shown;
    WhenEntryDialogOpens([&shown](ChifEnterDialog* dialog) {
        shown << dialog->NumberButton(5)->text();
        dialog->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QCOMPARE(shown, QStringList{"2"});
    QVERIFY(!pane->Channel().Stopped());
    // So does a new target.
    Retype(pane->TargetBox(), QStringLiteral("126"));
    QVERIFY(pane->Channel().Stopped());
    QCOMPARE(pane->Draw().target, 126);
}

void ChifWindowTest::boxesStepWithTheKeysAndTheRightButton() {
    ChifWindow* pane = ShowNumbers();
    ChifEdit* tile = pane->NumberBox(0);
    // A tile box steps through the tiles: "10" up is "25", "100" stays.
    const auto stepped = [](ChifEdit* box, const QString& from, Qt::Key key) {
        box->ShowValue(from.toInt());
        box->setFocus();
        QTest::keyClick(box, key);
        return box->text();
    };
    QCOMPARE(stepped(tile, "10", Qt::Key_Up), QStringLiteral("25"));
    QCOMPARE(stepped(tile, "100", Qt::Key_Up), QStringLiteral("100"));
    QCOMPARE(stepped(tile, "25", Qt::Key_Down), QStringLiteral("10"));
    QCOMPARE(stepped(tile, "1", Qt::Key_Down), QStringLiteral("1"));
    QCOMPARE(stepped(tile, "42", Qt::Key_Up), QStringLiteral("1"));
    QCOMPARE(pane->Draw().numbers[0], 1);

    // Another box steps its value, or only the selected digits.
    ChifEdit* target = pane->TargetBox();
    target->ShowValue(357);
    target->setFocus();
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Up);
    QCOMPARE(target->text(), QStringLiteral("358"));
    QCOMPARE(target->selectedText(), QStringLiteral("358"));
    target->setSelection(1, 1);
    QTest::keyClick(target, Qt::Key_Up);
    QCOMPARE(target->text(), QStringLiteral("368"));
    QCOMPARE(target->selectedText(), QStringLiteral("6"));
    QCOMPARE(pane->Draw().target, 368);
    target->ShowValue(199);
    target->setSelection(1, 2);
    QTest::keyClick(target, Qt::Key_Up); // "99" stays at its largest
    QCOMPARE(target->text(), QStringLiteral("199"));
    target->ShowValue(101);
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Down); // 100 is below the range
    QCOMPARE(target->text(), QStringLiteral("101"));

    // Right button held: 6 pixels right or up step up, left or down step
    // down; released, the focus goes back where it was.
    target->ShowValue(500);
    tile->setFocus();
    QTest::mousePress(target, Qt::RightButton, {}, QPoint(20, 10));
    QCOMPARE(QApplication::focusWidget(), target);
    QVERIFY(target->Dragging());
    const auto moveTo = [target](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::RightButton, {});
        QApplication::sendEvent(target, &move);
    };
    moveTo(QPoint(30, 10));
    moveTo(QPoint(30, 2));
    moveTo(QPoint(32, 2)); // too small a move
    QCOMPARE(target->text(), QStringLiteral("502"));
    moveTo(QPoint(20, 2));
    QCOMPARE(target->text(), QStringLiteral("501"));
    QTest::mouseRelease(target, Qt::RightButton, {}, QPoint(20, 2));
    QVERIFY(!target->Dragging());
    QVERIFY(!target->isReadOnly());
    QCOMPARE(QApplication::focusWidget(), tile);
    QCOMPARE(pane->Draw().target, 501);

    // A read-only box does not step.
    target->setReadOnly(true);
    QTest::keyClick(target, Qt::Key_Up);
    QTest::mousePress(target, Qt::RightButton, {}, QPoint(20, 10));
    QVERIFY(!target->Dragging());
    QCOMPARE(target->text(), QStringLiteral("501"));
}

void ChifWindowTest::settingsAreReadInRangeAndWrittenAtClose() {
    {
        Profile damaged(game_.IniPath().toStdString());
        QVERIFY(damaged.WriteInt("CHIFFRES", "nombre min", 40000));
        QVERIFY(damaged.WriteInt("CHIFFRES", "nombre max", -3));
        QVERIFY(damaged.WriteInt("CHIFFRES", "chiffres limités", 0));
    }
    ChifWindow* pane = ShowNumbers();
    QCOMPARE(pane->Options().minTarget, 2);
    QCOMPARE(pane->Options().maxTarget, 32766);
    QVERIFY(!pane->Options().limitedNumbers);
    // The box shows every target of the range: five digits, widened by one
    // big character on each side for each digit beyond three.
    const Layout& layout = game_.App().CurrentLayout();
    QCOMPARE(pane->TargetBox()->geometry(),
             layout.TARGET_RECT.adjusted(-2 * layout.HALF_BIG_CHAR, 0, 2 * layout.HALF_BIG_CHAR, 0));
    Retype(pane->TargetBox(), QStringLiteral("32766"));
    QCOMPARE(pane->Draw().target, 32766);
    // Two digits: narrower.
    pane->ApplyOptions({10, 99, true});
    QCOMPARE(pane->TargetBox()->geometry(),
             layout.TARGET_RECT.adjusted(layout.HALF_BIG_CHAR, 0, -layout.HALF_BIG_CHAR, 0));

    pane->ApplyOptions({150, 5000, false});
    QVERIFY(game_.Frame().close());
    const Profile written(game_.IniPath().toStdString());
    QCOMPARE(written.ReadInt("CHIFFRES", "nombre max", 0), 5000);
    QCOMPARE(written.ReadInt("CHIFFRES", "nombre min", 0), 150);
    QCOMPARE(written.ReadInt("CHIFFRES", "chiffres limités", 1), 0);

    // Read back as written.
    game_.Start();
    QCOMPARE(game_.App().NumbersPane()->Options().maxTarget, 5000);
    QCOMPARE(game_.App().NumbersPane()->Options().minTarget, 150);
}

LEXINUM_GUI_TEST(ChifWindowTest)
#include "ChifWindowTest.moc"
