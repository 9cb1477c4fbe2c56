// The answer clock of a match: both entry dialogs count down beside the pane,
// run out taking the answer standing then, stop with any close, and tell a
// screen reader the time left; in training they have no clock at all.
#include "presentation/TimedDialog.h"
#include "AccessibleName.h"
#include "GuiTestMain.h"
#include "TestServices.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotEnterEdit.h"
#include "numbers/ChifEnterDialog.h"
#include "presentation/Bell.h"
#include "presentation/QtPrompter.h"
#include "presentation/TimeWindow.h"
#include "shell/GameFonts.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace lexinum;

namespace {

QString Description(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Description);
}

} // namespace

class TimedDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { app_.SetUp(); }
    void cleanup() {
        Prompter::SetActive(&app_.Prompts());
        dialog_.reset();
        app_.Reset();
    }

    void timeOutTakesTheAnswerStandingThen_data();
    void timeOutTakesTheAnswerStandingThen();
    void closingStopsTheClockAndTrainingHasNone_data();
    void closingStopsTheClockAndTrainingHasNone();
    void aScreenReaderHearsTheTimeLeft();

private:
    // Opens the entry dialog of `game` in a match or in training, each step of
    // its clock `stepMs` long; nothing ticks until the test lets events run.
    TimedDialog& Open(Game game, bool match, int stepMs);
    // Types a word, or builds 25 x 4 = 100 and picks the 10 without a line.
    void Answer(Game game);
    // The answer the dialog left: the word, or the result and its lines.
    QString Taken(Game game) const {
        return game == Game::Letters
                   ? QString::fromStdString(word_->Word())
                   : QStringLiteral("%1/%2").arg(answer_.playerResult()).arg(answer_.playerLineCount());
    }
    QWidget* Pane() { return app_.Window(); }

    test::TestServices app_;
    Calculation answer_;
    std::unique_ptr<TimedDialog> dialog_;
    MotEnterDialog* word_ = nullptr;
    ChifEnterDialog* calculation_ = nullptr;
};

TimedDialog& TimedDialogTest::Open(Game game, bool match, int stepMs) {
    app_.State().SetCompetition(match);
    app_.ShowGame(game);
    TimerPeriods periods;
    periods.wordAnswer = std::chrono::milliseconds(MotEnterDialog::kSeconds * stepMs);
    periods.calculationAnswer = std::chrono::milliseconds(ChifEnterDialog::kSeconds * stepMs);
    app_.SetPeriods(periods);
    const QRect area = app_.ResultArea();
    word_ = nullptr;
    calculation_ = nullptr;
    if (game == Game::Letters) {
        auto dialog = std::make_unique<MotEnterDialog>(Pane(), app_, area, "TOILEEX",
                                                       [](const std::string&) { return WordCheckResult::Accepted; });
        word_ = dialog.get();
        dialog_ = std::move(dialog);
    } else {
        auto dialog =
            std::make_unique<ChifEnterDialog>(Pane(), app_, answer_, std::array{25, 4, 10, 3, 2, 1}, 999, area);
        calculation_ = dialog.get();
        dialog_ = std::move(dialog);
    }
    dialog_->show();
    return *dialog_;
}

void TimedDialogTest::Answer(Game game) {
    if (game == Game::Letters) {
        QTest::keyClicks(word_->Edit(), "TOILE");
        return;
    }
    for (QPushButton* button : {calculation_->NumberButton(0), calculation_->OperationButton(2),
                                calculation_->NumberButton(1), calculation_->NumberButton(2)})
        button->click();
}

void TimedDialogTest::timeOutTakesTheAnswerStandingThen_data() {
    QTest::addColumn<Game>("game");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    QTest::newRow("word") << Game::Letters << "40s"
                          << "Les quarante secondes sont écoulées"
                          << "Le mot le plus long";
    QTest::newRow("calculation") << Game::Numbers << "50s"
                                 << "Les cinquante secondes sont écoulées"
                                 << "Le compte est bon";
}

void TimedDialogTest::timeOutTakesTheAnswerStandingThen() {
    QFETCH(Game, game);
    QFETCH(QString, start);
    // The message box the player sees, and what stood when it showed.
    QtPrompter boxes;
    Prompter::SetActive(&boxes);
    QSignalSpy beeps(&Bell::Instance(), &Bell::rung);
    QStringList box;
    QTimer watch;
    watch.setInterval(2);
    TimedDialog& dialog = Open(game, true, 10);
    connect(&watch, &QTimer::timeout, this, [&] {
        auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (shown == nullptr)
            return;
        watch.stop();
        const TimeWindow* clock = dialog.Clock();
        box << shown->text() << shown->windowTitle() << QString::number(shown->icon())
            << (clock != nullptr ? clock->Text() + QLatin1Char(' ') + Description(dialog.Clock()) : QString())
            << QString::number(dialog.isVisible()) << QString::number(beeps.count());
        shown->button(QMessageBox::Ok)->click();
    });
    watch.start();

    // The clock shows the whole time at once, in the pane beside the dialog:
    // bright green on black, the big type at normal weight, centred and whole.
    TimeWindow* clock = dialog.Clock();
    QVERIFY(clock != nullptr);
    QCOMPARE(clock->parentWidget(), Pane());
    QCOMPARE(clock->geometry(), app_.GameLayout().CLOCK_RECT);
    QVERIFY(clock->isVisible());
    QCOMPARE(clock->Text(), start);
    QCOMPARE(test::AccessibleName(clock), QStringLiteral("Temps"));
    QCOMPARE(Description(clock), start.left(2) + QStringLiteral(" secondes"));
    QCOMPARE(clock->DisplayFont().family(), app_.Fonts().bigFont.family());
    QCOMPARE(clock->DisplayFont().weight(), QFont::Normal);
    const QImage image = clock->grab().toImage();
    QRect green;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            QVERIFY2(colour.red() == 0 && colour.blue() == 0, qPrintable(colour.name()));
            if (colour == QColor(0, 255, 0))
                green |= QRect(x, y, 1, 1);
        }
    QVERIFY(!green.isEmpty());
    QVERIFY2(green.left() > 0 && green.top() > 0 && green.right() < image.width() - 1 &&
                 green.bottom() < image.height() - 1,
             "the seconds show whole");
    QVERIFY(std::abs(green.left() - (image.width() - 1 - green.right())) <= image.width() / 10);

    Answer(game);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 10000);
    // One beep (the box's), the game's message while the clock reads 00s,
    // then the dialog closed as OK closes it, with the answer typed so far.
    QFETCH(QString, message);
    QFETCH(QString, caption);
    QCOMPARE(box, QStringList({message, caption, QString::number(QMessageBox::Warning), "00s 0 seconde", "1", "1"}));
    QCOMPARE(beeps.count(), 1);
    QVERIFY(dialog.TimedOut());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.Clock() == nullptr);
    QVERIFY(Pane()->findChildren<TimeWindow*>().isEmpty());
    QCOMPARE(Taken(game), game == Game::Letters ? QStringLiteral("TOILE") : QStringLiteral("100/1"));
}

void TimedDialogTest::closingStopsTheClockAndTrainingHasNone_data() {
    QTest::addColumn<Game>("game");
    QTest::addColumn<bool>("match");
    QTest::addColumn<bool>("ok");
    QTest::newRow("word, match, OK") << Game::Letters << true << true;
    QTest::newRow("word, match, Annuler") << Game::Letters << true << false;
    QTest::newRow("calculation, match, OK") << Game::Numbers << true << true;
    QTest::newRow("calculation, training, Annuler") << Game::Numbers << false << false;
}

void TimedDialogTest::closingStopsTheClockAndTrainingHasNone() {
    QFETCH(Game, game);
    QFETCH(bool, match);
    QFETCH(bool, ok);
    TimedDialog& dialog = Open(game, match, 5);
    const int wholeTime = 60 * 5;
    QCOMPARE(dialog.Clock() != nullptr, match);
    if (!match) {
        // Long past the time a match allows, the dialog still waits.
        QTest::qWait(wholeTime);
        QVERIFY(dialog.isVisible());
        QVERIFY(Pane()->findChildren<TimeWindow*>().isEmpty());
    }
    Answer(game);
    QPushButton* button = game == Game::Letters ? (ok ? word_->OkButton() : word_->CancelButton())
                                                : (ok ? calculation_->OkButton() : calculation_->CancelButton());
    button->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(Pane()->findChildren<TimeWindow*>().isEmpty());
    QTest::qWait(wholeTime);
    QVERIFY(app_.Prompts().messages.empty());
    QVERIFY(!dialog.TimedOut());
    QCOMPARE(dialog.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
    const QString answered = game == Game::Letters ? QStringLiteral("TOILE") : QStringLiteral("100/1");
    QCOMPARE(Taken(game), ok ? answered : (game == Game::Letters ? QString() : QStringLiteral("0/0")));
}

void TimedDialogTest::aScreenReaderHearsTheTimeLeft() {
    // Offscreen no assistive technology listens: the application says one
    // does. The time left becomes the dialog's description; the player's
    // field keeps the focus.
    for (const bool listening : {false, true}) {
        app_.screenReader = listening;
        TimedDialog& dialog = Open(Game::Letters, true, 5);
        QWidget* field = word_->Edit();
        QStringList heard;
        connect(&dialog, &TimedDialog::announced, this, [&](const QString& text) {
            heard << text + QLatin1Char('/') + Description(&dialog) + QLatin1Char('/') + Description(dialog.Clock()) +
                         QLatin1Char('/') + QString::number(dialog.focusWidget() == field);
        });
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 10000);
        const QStringList expected{"Il reste 30 secondes/Il reste 30 secondes/30 secondes/1",
                                   "Il reste 10 secondes/Il reste 10 secondes/10 secondes/1",
                                   "Il reste 5 secondes/Il reste 5 secondes/5 secondes/1"};
        QCOMPARE(heard, listening ? expected : QStringList());
        QVERIFY(dialog.TimedOut());
    }
}

LEXINUM_GUI_TEST(TimedDialogTest)
#include "TimedDialogTest.moc"
