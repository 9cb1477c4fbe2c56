// The chosen draw: a letter per press of "&Voyelle" or "&Consonne", closed by
// itself once the draw is complete, never given up; the match draw, where the
// computer answers each of the player's letters and the clock picks for a
// player out of time; and the draw made when the letters pane comes back.
#include "letters/LettrEnterDialog.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "TestServices.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotWindow.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"
#include "presentation/Bell.h"
#include "presentation/ResultEdit.h"
#include "presentation/ValidEdit.h"
#include "shell/GameFonts.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace lexinum;

namespace {

using namespace std::chrono_literals;

bool IsVowel(char c) {
    return std::string_view(kVowels).find(c) != std::string_view::npos;
}

// Who picked each letter a dialog described: P the player, X chance, C the
// computer; and ! for each ring of the bell.
QString Pickers(const QStringList& said) {
    QString codes;
    for (const QString& entry : said)
        codes += entry == QStringLiteral("!")                        ? QLatin1Char('!')
                 : entry.startsWith(QStringLiteral("Au hasard : "))  ? QLatin1Char('X')
                 : entry.startsWith(QStringLiteral("Ordinateur : ")) ? QLatin1Char('C')
                                                                     : QLatin1Char('P');
    return codes;
}

int Tiles(const LexiconSet& lexicon) {
    return lexicon.VowelBag().Remaining() + lexicon.ConsonantBag().Remaining();
}

} // namespace

class LettrEnterDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        app_.SetUp();
        game_.SetUp();
    }
    void cleanup() {
        app_.Reset();
        game_.Reset();
    }

    void drawIsChosenLetterByLetter();
    void keysPickAndGivingUpDoesNothing();
    void paneComingBackDrawsAndFocusesTheField();
    void staysOnScreenWholeAtEveryCount();
    void matchDrawTakesTurnsWithTheComputer_data();
    void matchDrawTakesTurnsWithTheComputer();
    void bagsAreKeptWithinASet_data();
    void bagsAreKeptWithinASet();

private:
    MotWindow* StartWithManualDraws(int letters);

    test::TestServices app_;
    test::GameFixture game_;
};

MotWindow* LettrEnterDialogTest::StartWithManualDraws(int letters) {
    Profile(game_.IniPath().toStdString()).WriteInt("LETTRES", "nb lettres", letters);
    game_.automaticDraws = false;
    game_.Start();
    return game_.App().LettersPane();
}

void LettrEnterDialogTest::drawIsChosenLetterByLetter() {
    MotWindow* pane = StartWithManualDraws(5);
    QVERIFY(!pane->AutoChoice());
    bool checked = false;
    test::GameFixture::OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<LettrEnterDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Choisissez voyelle ou consonne"));
        QCOMPARE(game_.App().ContextHelpTopic(), 263);
        // The pane's field is emptied while the letters are chosen.
        QVERIFY(pane->LettersField()->text().isEmpty());
        QVERIFY(dialog->Field()->text().isEmpty());
        QVERIFY(dialog->Field()->isReadOnly());
        // Sized for five letters of the big font, at the least.
        QCOMPARE(dialog->size(), LettrEnterDialog::ClientSize(game_.App(), 5));
        QVERIFY(dialog->Field()->width() >= 5 * QFontMetrics(game_.App().Fonts().bigFont).maxWidth());
        QCOMPARE(dialog->VowelButton()->y(), dialog->ConsonantButton()->y());
        QVERIFY(dialog->VowelButton()->y() > dialog->Field()->geometry().bottom());
        QVERIFY(dialog->VowelButton()->isDefault());
        QCOMPARE(test::GameFixture::AccessibleName(dialog->Field()), QStringLiteral("Tirage"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->VowelButton()), QStringLiteral("Voyelle"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->ConsonantButton()), QStringLiteral("Consonne"));
        // Each letter drawn is said to a screen reader: it is the description
        // of the field and of the button that has the focus (a reader speaks
        // that of the focused control only), not of the other button.
        const auto told = [dialog](const QString& kind) {
            const QString said = kind + QLatin1Char(' ') + dialog->Field()->text().back();
            QCOMPARE(dialog->Field()->accessibleDescription(), said);
            for (QPushButton* button : {dialog->VowelButton(), dialog->ConsonantButton()})
                QCOMPARE(button->accessibleDescription(), button == dialog->focusWidget() ? said : QString());
        };
        QTest::mouseClick(dialog->VowelButton(), Qt::LeftButton);
        told(QStringLiteral("Voyelle"));
        QTest::mouseClick(dialog->ConsonantButton(), Qt::LeftButton);
        QCOMPARE(dialog->Field()->text().size(), 2);
        told(QStringLiteral("Consonne"));
        // From the keyboard the focus stays on "&Voyelle", which says each letter.
        dialog->VowelButton()->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(dialog, Qt::Key_C);
        told(QStringLiteral("Consonne"));
        QCOMPARE(dialog->VowelButton()->accessibleDescription(), dialog->Field()->accessibleDescription());
        QTest::mouseClick(dialog->VowelButton(), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        checked = true;
        // The fifth letter completes the draw: the dialog closes by itself.
        QTest::mouseClick(dialog->ConsonantButton(), Qt::LeftButton);
    });
    QVERIFY(game_.App().RunCommand(Command::NewDraw));
    QVERIFY(checked);
    const std::string& letters = pane->Letters();
    QCOMPARE(letters.size(), std::size_t(5));
    const std::string shape = {IsVowel(letters[0]) ? 'v' : 'c', IsVowel(letters[1]) ? 'v' : 'c',
                               IsVowel(letters[2]) ? 'v' : 'c', IsVowel(letters[3]) ? 'v' : 'c',
                               IsVowel(letters[4]) ? 'v' : 'c'};
    QCOMPARE(shape, std::string("vccvc"));
    QCOMPARE(pane->LettersField()->text(), QString::fromStdString(letters));
    QCOMPARE(game_.App().ContextHelpTopic(), 260);
}

void LettrEnterDialogTest::keysPickAndGivingUpDoesNothing() {
    MotWindow* pane = StartWithManualDraws(3);
    test::GameFixture::OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<LettrEnterDialog*>(modal);
        QVERIFY(dialog != nullptr);
        // Escape and the close box do not end the draw.
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->close());
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->Field()->text().isEmpty());
        // Return presses "&Voyelle"; the initials pick as well.
        QTest::keyClick(dialog, Qt::Key_C);
        QTest::keyClick(dialog, Qt::Key_V);
        QCOMPARE(dialog->Field()->text().size(), 2);
        QTest::keyClick(dialog->VowelButton(), Qt::Key_Return);
    });
    QVERIFY(game_.App().RunCommand(Command::NewDraw));
    const std::string& letters = pane->Letters();
    QCOMPARE(letters.size(), std::size_t(3));
    QVERIFY(!IsVowel(letters[0]) && IsVowel(letters[1]) && IsVowel(letters[2]));
}

void LettrEnterDialogTest::paneComingBackDrawsAndFocusesTheField() {
    game_.Start();
    TivApp& app = game_.App();
    MotWindow* pane = app.LettersPane();
    game_.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game_.Frame()));
    pane->ResultBox()->setPlainText(QStringLiteral("ancien tour"));
    app.ShowGame(Game::Numbers);
    app.ShowGame(Game::Letters);
    // A new draw, in the field, which has the focus with its text selected;
    // the results box is empty.
    QCOMPARE(pane->Letters().size(), std::size_t(9));
    QCOMPARE(pane->LettersField()->text(), QString::fromStdString(pane->Letters()));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pane->LettersField()));
    QCOMPARE(pane->LettersField()->selectedText(), pane->LettersField()->text());
    QVERIFY(pane->ResultBox()->toPlainText().isEmpty());

    // Drawn by vowel and consonant when the player chose so.
    pane->SetAutoChoice(false);
    bool asked = false;
    test::GameFixture::OnModal([&asked](QWidget* modal) {
        auto* dialog = qobject_cast<LettrEnterDialog*>(modal);
        asked = dialog != nullptr;
        while (dialog != nullptr && dialog->isVisible())
            dialog->PickConsonant();
    });
    app.ShowGame(Game::Numbers);
    app.ShowGame(Game::Letters);
    QVERIFY(asked);
    QVERIFY(std::none_of(pane->Letters().begin(), pane->Letters().end(), IsVowel));
}

void LettrEnterDialogTest::staysOnScreenWholeAtEveryCount() {
    game_.Start();
    LexiconSet lexicon;
    for (const int count : {2, 9, 27}) {
        LettrEnterDialog dialog(&game_.Frame(), game_.App(), lexicon, count);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QByteArray context = QByteArray::number(count) + " letters";
        QVERIFY2(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()), context);
        // Both labels and the title show whole.
        for (QPushButton* button : {dialog.VowelButton(), dialog.ConsonantButton()}) {
            const QFontMetrics metrics(button->font());
            QVERIFY2(metrics.horizontalAdvance(button->text().remove(QLatin1Char('&'))) < button->width(), context);
        }
        QVERIFY2(QFontMetrics(QApplication::font()).horizontalAdvance(dialog.windowTitle()) < dialog.width(), context);
        dialog.done(QDialog::Accepted);
    }
}

void LettrEnterDialogTest::matchDrawTakesTurnsWithTheComputer_data() {
    // In each of his turns the player picks a vowel (v), a consonant (c), or
    // lets his time run out (-); then who picked each letter, and the bell.
    QTest::addColumn<QString>("turns");
    QTest::addColumn<QString>("pickers");
    QTest::newRow("the player picks every time") << "vcvcv"
                                                 << "PCPCPCPCP";
    QTest::newRow("the player never picks") << "-----"
                                            << "!XC!XC!XC!XC!X";
    QTest::newRow("out of time now and then") << "v--cv"
                                              << "PC!XC!XCPCP";
    QTest::newRow("out of time for the last letter") << "vcvc-"
                                                     << "PCPCPCPC!X";
}

void LettrEnterDialogTest::matchDrawTakesTurnsWithTheComputer() {
    QFETCH(QString, turns);
    QFETCH(QString, pickers);
    app_.State().SetCompetition(true);
    app_.SetPeriods({.letterPick = 20ms, .pickPause = 2ms});
    LexiconSet lexicon;
    lexicon.ResetToDefaultWeights();
    LettrEnterDialog dialog(app_.Window(), app_, lexicon, 9);
    QStringList said;
    connect(&dialog, &LettrEnterDialog::described, &dialog, [&](const QString& text) { said.append(text); });
    connect(&Bell::Instance(), &Bell::rung, &dialog, [&] { said.append(QStringLiteral("!")); });
    int turn = 0;
    bool pauseHeld = true;
    connect(&dialog, &LettrEnterDialog::playersTurn, &dialog, [&] {
        const QChar act = turn < turns.size() ? turns.at(turn) : QLatin1Char('-');
        ++turn;
        if (act == QLatin1Char('-'))
            return;
        act == QLatin1Char('v') ? dialog.PickVowel() : dialog.PickConsonant();
        // During the pause that follows, no pick is taken, by key or button.
        const std::size_t drawn = dialog.Letters().size();
        dialog.PickConsonant();
        QTest::keyClick(&dialog, Qt::Key_V);
        QTest::mouseClick(dialog.ConsonantButton(), Qt::LeftButton);
        pauseHeld = pauseHeld && dialog.Letters().size() == drawn && !dialog.TakingPicks();
    });
    // The player's clock starts when the dialog opens.
    QTest::qWait(60);
    QVERIFY(dialog.Letters().empty());
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();
    QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 10000);

    // Exactly nine letters, whoever picked the last; then the dialog closed.
    QCOMPARE(Pickers(said), pickers);
    QCOMPARE(turn, 5);
    QVERIFY(pauseHeld);
    const std::string& letters = dialog.Letters();
    QCOMPARE(letters.size(), std::size_t(9));
    // Each letter is said with its kind, by the dialog, which holds the focus.
    said.removeAll(QStringLiteral("!"));
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const QString kind = IsVowel(letters[i]) ? QStringLiteral("oyelle ") : QStringLiteral("onsonne ");
        QVERIFY2(said.at(int(i)).endsWith(kind + QLatin1Char(letters[i])), qPrintable(said.at(int(i))));
    }
    QCOMPARE(dialog.accessibleDescription(), said.last());
}

void LettrEnterDialogTest::bagsAreKeptWithinASet_data() {
    QTest::addColumn<bool>("match");
    QTest::addColumn<bool>("refill");
    QTest::addColumn<int>("drawnSinceFull");
    QTest::newRow("match, within a set") << true << false << 18;
    QTest::newRow("match, a set begins") << true << true << 9;
    QTest::newRow("training refills every time") << false << false << 9;
}

void LettrEnterDialogTest::bagsAreKeptWithinASet() {
    QFETCH(bool, match);
    QFETCH(bool, refill);
    QFETCH(int, drawnSinceFull);
    app_.State().SetCompetition(match);
    app_.SetPeriods({.letterPick = 1ms, .pickPause = 1ms});
    LexiconSet lexicon;
    lexicon.ResetToDefaultWeights();
    const int full = Tiles(lexicon);
    for (const bool refillNow : {true, refill}) {
        LettrEnterDialog dialog(app_.Window(), app_, lexicon, 9, refillNow);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.show();
        if (!match) {
            // Training: no clock and no pause; the last pick closes the dialog.
            QTest::qWait(20);
            QVERIFY(dialog.Letters().empty());
            while (dialog.Letters().size() < 9)
                dialog.PickConsonant();
            QCOMPARE(accepted.count(), 1);
        }
        QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 10000);
    }
    QCOMPARE(Tiles(lexicon), full - drawnSinceFull);
}

LEXINUM_GUI_TEST(LettrEnterDialogTest)
#include "LettrEnterDialogTest.moc"
