// The match's board: what it tells a screen reader after each round, and the
// board it paints (frame and lines in black on white, the points below).
#include "app/ScoreWindow.h"
#include "AccessibleName.h"
#include "GuiTestMain.h"
#include "TestServices.h"
#include "match/ScoreKeeper.h"

#include <QImage>
#include <QTest>

#include <memory>

using namespace lexinum;

class ScoreWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { app_.SetUp(); }
    void cleanup() {
        window_.reset();
        score_ = ScoreKeeper("Marie");
        app_.Reset();
    }

    void descriptionFollowsTheScore();
    void boardIsFramedInBlackWithThePointsBelow();

private:
    ScoreWindow& Open() {
        window_ = std::make_unique<ScoreWindow>(app_.Window(), app_, score_);
        window_->setGeometry(app_.GameLayout().SCORE_RECT);
        window_->show();
        return *window_;
    }

    test::TestServices app_;
    ScoreKeeper score_{"Marie"};
    std::unique_ptr<ScoreWindow> window_;
};

void ScoreWindowTest::descriptionFollowsTheScore() {
    ScoreWindow& window = Open();
    QCOMPARE(test::AccessibleName(&window), QStringLiteral("Score"));
    QCOMPARE(window.accessibleDescription(), QStringLiteral("Marie 0 point, Ordinateur 0 point ; manches 0 - 0"));
    // A nine-letter word against seven letters, eleven times: 33 to 0.
    for (int round = 0; round < 11; ++round)
        score_.Report(LettersRoundReport{true, 7, 9, true});
    window.RefreshPoints();
    QCOMPARE(window.accessibleDescription(), QStringLiteral("Marie 33 points, Ordinateur 0 point ; manches 0 - 0"));
    // The set won: the points go back to 0, the sets say so.
    score_.Report(LettersRoundReport{true, 7, 9, true});
    window.RefreshPoints();
    QCOMPARE(window.accessibleDescription(), QStringLiteral("Marie 0 point, Ordinateur 0 point ; manches 1 - 0"));
    // The name is the score's, read again (not copied).
    score_.SetPlayerName("Zoé");
    window.Refresh();
    QVERIFY(window.accessibleDescription().startsWith(QStringLiteral("Zoé 0 point")));
}

void ScoreWindowTest::boardIsFramedInBlackWithThePointsBelow() {
    ScoreWindow& window = Open();
    QVERIFY(QTest::qWaitForWindowExposed(app_.Window()));
    const int w = window.width();
    const int h = window.height();
    QVERIFY(w > 40 && h > 20);
    QCOMPARE(window.PointsRow(), QRect(0, h / 2 + 1, w, h - h / 2 - 1));
    const QImage board = window.grab().toImage();
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    // The frame, the middle lines and a corner of each quarter.
    for (const QPoint& at : {QPoint(0, 0), QPoint(w - 1, h - 1), QPoint(w / 2, 1), QPoint(1, h / 2)})
        QCOMPARE(board.pixelColor(at), black);
    for (const QPoint& at : {QPoint(2, 2), QPoint(w - 3, 2), QPoint(2, h - 3), QPoint(w / 2 + 2, h / 2 + 2)})
        QCOMPARE(board.pixelColor(at), white);
    // Something is written in each quarter: the names above, the points below.
    const auto written = [&](int left, int top) {
        for (int y = top + 2; y < top + h / 2 - 2; ++y)
            for (int x = left + 2; x < left + w / 2 - 2; ++x)
                if (board.pixelColor(x, y).lightness() < 128)
                    return true;
        return false;
    };
    QVERIFY(written(0, 0));
    QVERIFY(written(w / 2, 0));
    QVERIFY(written(0, h / 2));
    QVERIFY(written(w / 2, h / 2));
}

LEXINUM_GUI_TEST(ScoreWindowTest)
#include "ScoreWindowTest.moc"
