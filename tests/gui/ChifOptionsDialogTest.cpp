// "Paramètres pour les Chiffres", opened from the numbers pane as a player
// does: what it shows, its checks on OK, "Annuler", and what OK changes.
#include "numbers/ChifOptionsDialog.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "core/numbers/NumberRules.h"
#include "numbers/ChifWindow.h"
#include "presentation/ChifEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

using namespace lexinum;

namespace {

void Retype(ChifEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class ChifOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void init() {
        game_.Start();
        game_.App().ShowGame(Game::Numbers);
        pane_ = game_.App().NumbersPane();
    }
    void cleanup() { game_.Reset(); }

    void opensOnTheRulesInForce();
    void cancelKeepsTheRulesWhateverWasTyped();
    void okRefusesValuesOutOfRangeOrOrder();
    void okAppliesTheRulesAndDrawsAgain();

private:
    // Opens the dialog with command 122 and runs `act` on it.
    void RunDialog(const std::function<void(ChifOptionsDialog*)>& act) {
        test::GameFixture::OnModal([act](QWidget* modal) {
            auto* dialog = qobject_cast<ChifOptionsDialog*>(modal);
            QVERIFY(dialog != nullptr);
            QTRY_COMPARE(QApplication::activeWindow(), modal);
            act(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        QVERIFY(game_.App().RunCommand(Command::Options));
    }

    test::GameFixture game_;
    ChifWindow* pane_ = nullptr;
};

void ChifOptionsDialogTest::opensOnTheRulesInForce() {
    int topic = 0;
    RunDialog([&](ChifOptionsDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Paramètres pour les Chiffres"));
        QCOMPARE(dialog->MaxBox()->text(), QStringLiteral("999"));
        QCOMPARE(dialog->MinBox()->text(), QStringLiteral("101"));
        // Unchecked: the numbers are the tiles.
        QVERIFY(!dialog->AllNumbersBox()->isChecked());
        QCOMPARE(dialog->AllNumbersBox()->text(), QStringLiteral("Utiliser &tous les nombres"));
        QCOMPARE(QApplication::focusWidget(), dialog->MaxBox());
        QCOMPARE(dialog->MaxBox()->selectedText(), QStringLiteral("999"));
        topic = game_.App().ContextHelpTopic();
        dialog->HelpButton()->click();
        QCOMPARE(test::GameFixture::AccessibleName(dialog->MaxBox()), QStringLiteral("Nombre maximum"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->MinBox()), QStringLiteral("Nombre minimum"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->AllNumbersBox()),
                 QStringLiteral("Utiliser tous les nombres"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->OkButton()), QStringLiteral("OK"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->HelpButton()), QStringLiteral("Aide"));
        // The boxes step like the pane's.
        QTest::keyClick(dialog->MaxBox(), Qt::Key_Up);
        QCOMPARE(dialog->MaxBox()->text(), QStringLiteral("1000"));
    });
    QCOMPARE(topic, 268);
    QCOMPARE(game_.HelpTopicsOpened(), std::vector<int>{268});
}

void ChifOptionsDialogTest::cancelKeepsTheRulesWhateverWasTyped() {
    const NumberDraw before = pane_->Draw();
    RunDialog([](ChifOptionsDialog* dialog) {
        Retype(dialog->MaxBox(), QStringLiteral("5000"));
        Retype(dialog->MinBox(), QStringLiteral("2000"));
        dialog->AllNumbersBox()->setChecked(true);
        // Refused first: nothing is kept either.
        Retype(dialog->MinBox(), QStringLiteral("6000"));
        dialog->OkButton()->click();
        QVERIFY(dialog->isVisible());
        dialog->CancelButton()->click();
    });
    QCOMPARE(pane_->Options().maxTarget, 999);
    QCOMPARE(pane_->Options().minTarget, 101);
    QVERIFY(pane_->Options().limitedNumbers);
    QCOMPARE(pane_->Draw().numbers, before.numbers);
    QCOMPARE(pane_->Draw().target, before.target);
}

void ChifOptionsDialogTest::okRefusesValuesOutOfRangeOrOrder() {
    RunDialog([this](ChifOptionsDialog* dialog) {
        const auto refusedWith = [&](const char* message, const char* caption, ChifEdit* focused) {
            game_.Prompts().messages.clear();
            dialog->OkButton()->click();
            QVERIFY(dialog->isVisible());
            QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
            QCOMPARE(game_.Prompts().messages[0].text, std::string(message));
            QCOMPARE(game_.Prompts().messages[0].caption, std::string(caption));
            QCOMPARE(game_.Prompts().messages[0].icon, PromptIcon::Exclamation);
            QCOMPARE(QApplication::focusWidget(), focused);
        };
        Retype(dialog->MaxBox(), QStringLiteral("40000"));
        refusedWith("La valeur doit être entre 2 et 32767.", "Lexinum", dialog->MaxBox());
        Retype(dialog->MaxBox(), QStringLiteral("1"));
        refusedWith("La valeur doit être entre 2 et 32767.", "Lexinum", dialog->MaxBox());
        Retype(dialog->MaxBox(), QStringLiteral("32767"));
        Retype(dialog->MinBox(), QStringLiteral("32767"));
        refusedWith("La valeur doit être entre 2 et 32766.", "Lexinum", dialog->MinBox());
        Retype(dialog->MaxBox(), QStringLiteral("50"));
        Retype(dialog->MinBox(), QStringLiteral("60"));
        refusedWith("Minimum plus grand que le maximum ???", "Le compte est bon", dialog->MinBox());
        // Equal is allowed: every target is that number.
        Retype(dialog->MinBox(), QStringLiteral("50"));
        dialog->OkButton()->click();
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(pane_->Options().minTarget, 50);
    QCOMPARE(pane_->Options().maxTarget, 50);
    QCOMPARE(pane_->Draw().target, 50);
    QCOMPARE(pane_->TargetBox()->text(), QStringLiteral("50"));
}

void ChifOptionsDialogTest::okAppliesTheRulesAndDrawsAgain() {
    RunDialog([](ChifOptionsDialog* dialog) {
        Retype(dialog->MaxBox(), QStringLiteral("20000"));
        Retype(dialog->MinBox(), QStringLiteral("10000"));
        QTest::keyClick(dialog->AllNumbersBox(), Qt::Key_Space);
        QVERIFY(dialog->AllNumbersBox()->isChecked());
        QTest::keyClick(dialog->OkButton(), Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
    });
    QVERIFY(!pane_->Options().limitedNumbers);
    // A new draw in the new range, and boxes that follow the new rules.
    QVERIFY(pane_->Draw().target >= 10000 && pane_->Draw().target <= 20000);
    QCOMPARE(pane_->TargetBox()->text(), QString::number(pane_->Draw().target));
    QVERIFY(!pane_->NumberBox(0)->Rule().IsTileList());
    QCOMPARE(pane_->NumberBox(0)->Rule().Max(), 100);
    QCOMPARE(pane_->TargetBox()->Rule().Min(), 10000);
    QCOMPARE(pane_->TargetBox()->Rule().Max(), 20000);
    Retype(pane_->NumberBox(0), QStringLiteral("42"));
    QCOMPARE(pane_->Draw().numbers[0], 42);

    // And back to the tiles.
    RunDialog([](ChifOptionsDialog* dialog) {
        QVERIFY(dialog->AllNumbersBox()->isChecked());
        QCOMPARE(dialog->MaxBox()->text(), QStringLiteral("20000"));
        dialog->AllNumbersBox()->setChecked(false);
        dialog->OkButton()->click();
    });
    QVERIFY(pane_->Options().limitedNumbers);
    QVERIFY(pane_->NumberBox(0)->Rule().IsTileList());
    for (int value : pane_->Draw().numbers)
        QVERIFY(NumberRules::TileKindOfValue(value) >= 0);
}

LEXINUM_GUI_TEST(ChifOptionsDialogTest)
#include "ChifOptionsDialogTest.moc"
