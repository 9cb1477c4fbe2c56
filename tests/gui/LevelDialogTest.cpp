// "Nouvelle partie": the level and name it proposes, OK refused (greyed,
// without a message) until both are given, and the name's rule as the
// player types.
#include "app/LevelDialog.h"
#include "AccessibleName.h"
#include "GuiTestMain.h"
#include "TestServices.h"
#include "match/Levels.h"
#include "presentation/ValidEdit.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace lexinum;

class LevelDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { app_.SetUp(); }
    void cleanup() {
        dialog_.reset();
        app_.Reset();
    }

    void proposesTheLevelAndNameGiven();
    void okWaitsForANameAndALevel();
    void nameRefusesBlanksAndAnEleventhCharacter();

private:
    LevelDialog& Open(int level, const QString& name) {
        dialog_ = std::make_unique<LevelDialog>(app_.Window(), app_, level, name);
        dialog_->show();
        [&] { QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog_.get())); }();
        return *dialog_;
    }

    test::TestServices app_;
    std::unique_ptr<LevelDialog> dialog_;
};

void LevelDialogTest::proposesTheLevelAndNameGiven() {
    LevelDialog& dialog = Open(3, QStringLiteral("Marie"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Nouvelle partie"));
    QCOMPARE(dialog.Topic(), 317);
    for (int level = kLowestLevel; level <= kHighestLevel; ++level) {
        const QString name = QString::fromStdString(LevelName(level));
        QCOMPARE(dialog.LevelButton(level)->text(), name);
        QCOMPARE(test::AccessibleName(dialog.LevelButton(level)), name);
        QCOMPARE(dialog.LevelButton(level)->isChecked(), level == 3);
    }
    QCOMPARE(dialog.Level(), 3);
    QCOMPARE(dialog.Name(), QStringLiteral("Marie"));
    QCOMPARE(test::AccessibleName(dialog.NameEdit()), QStringLiteral("Nom du joueur"));
    QCOMPARE(QApplication::focusWidget(), dialog.NameEdit());
    QVERIFY(dialog.OkButton()->isEnabled());
    dialog.HelpButton()->click();
    QCOMPARE(app_.commands, std::vector<Command>{Command::ContextHelp});

    // No level outside 1..6; a name the files could not store is shown storable.
    Open(0, QStringLiteral("Jean Marie Dupont"));
    for (int level = kLowestLevel; level <= kHighestLevel; ++level)
        QVERIFY(!dialog_->LevelButton(level)->isChecked());
    QCOMPARE(dialog_->Level(), 0);
    QCOMPARE(dialog_->Name(), QStringLiteral("JeanMarieD"));
    QVERIFY(!dialog_->OkButton()->isEnabled());
}

void LevelDialogTest::okWaitsForANameAndALevel() {
    LevelDialog& dialog = Open(7, QString());
    QSignalSpy finished(&dialog, &QDialog::finished);
    const auto refused = [&] {
        QVERIFY(!dialog.OkButton()->isEnabled());
        QTest::keyClick(dialog.NameEdit(), Qt::Key_Return);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(finished.count(), 0);
    };
    refused();
    QTest::keyClicks(dialog.NameEdit(), QStringLiteral("Zoe"));
    refused();
    dialog.LevelButton(5)->click();
    QVERIFY(dialog.OkButton()->isEnabled());
    dialog.NameEdit()->clear();
    refused();
    // Typed, or put in as an input method does.
    QTest::keyClicks(dialog.NameEdit(), QStringLiteral("L"));
    dialog.NameEdit()->insert(QStringLiteral("éa"));
    QVERIFY(app_.Prompts().messages.empty());
    dialog.OkButton()->click();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Level(), 5);
    QCOMPARE(dialog.Name(), QStringLiteral("Léa"));
}

void LevelDialogTest::nameRefusesBlanksAndAnEleventhCharacter() {
    LevelDialog& dialog = Open(1, QString());
    QSignalSpy refused(dialog.NameEdit(), &ValidEdit::refused);
    QTest::keyClicks(dialog.NameEdit(), QStringLiteral("Jean Marie"));
    QCOMPARE(dialog.Name(), QStringLiteral("JeanMarie"));
    QCOMPARE(refused.count(), 1);
    QTest::keyClicks(dialog.NameEdit(), QStringLiteral("Dupont"));
    QCOMPARE(dialog.Name(), QStringLiteral("JeanMarieD"));
    QCOMPARE(refused.count(), 6);
    // A pasted name goes through the same rule.
    dialog.NameEdit()->selectAll();
    dialog.NameEdit()->insert(QStringLiteral("Jo Lu"));
    QCOMPARE(dialog.Name(), QStringLiteral("JeanMarieD"));
}

LEXINUM_GUI_TEST(LevelDialogTest)
#include "LevelDialogTest.moc"
