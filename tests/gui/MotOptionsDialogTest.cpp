// "Paramètres pour les Lettres", opened from the letters pane during a
// search as a player does: its checks on OK, "Annuler", and which changes
// draw again and stop the search.
#include "letters/MotOptionsDialog.h"
#include "FixtureLexicon.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotEnterEdit.h"
#include "letters/MotWindow.h"
#include "lexicon/LetterDraw.h"
#include "presentation/ChifEdit.h"
#include "presentation/ValidEdit.h"
#include "shell/SettingsKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace lexinum;

class MotOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    // The game on a lexicon of a few words, a round played on TOILEEX and
    // its search waiting between groups.
    void init() {
        lexicon_ = std::make_unique<test::FixtureLexicon>(std::vector<std::string>{"étoile", "toile", "lie", "et"});
        Profile(game_.IniPath().toStdString())
            .WriteString(keys::kLetters, keys::kLexiconFolder, lexicon_->Directory().string());
        game_.Start();
        pane_ = game_.App().LettersPane();
        pane_->LettersField()->setText(QStringLiteral("TOILEEX"));
        QVERIFY(pane_->TakeLettersField());
        test::GameFixture::OnModal([](QWidget* modal) { qobject_cast<MotEnterDialog*>(modal)->reject(); });
        QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
        QVERIFY(!pane_->Channel().Stopped());
        game_.Prompts().messages.clear();
    }
    void cleanup() {
        game_.Reset();
        lexicon_.reset();
    }

    void okChecksAndAppliesTheRules_data();
    void okChecksAndAppliesTheRules();
    void greyedInAMatchAndKeptInTheSettings();

private:
    test::GameFixture game_;
    std::unique_ptr<test::FixtureLexicon> lexicon_;
    MotWindow* pane_ = nullptr;
};

void MotOptionsDialogTest::okChecksAndAppliesTheRules_data() {
    QTest::addColumn<QString>("vowels");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<bool>("cancel");
    // The message OK is refused with; empty when accepted.
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<bool>("drawsAgain");

    QTest::newRow("as many vowels as letters") << "2"
                                               << "2" << true << false << "" << true;
    QTest::newRow("no vowel, longest draw") << "0"
                                            << "27" << true << false << "" << true;
    QTest::newRow("more vowels than letters") << "3"
                                              << "2" << true << false << "Plus de voyelles que de lettres ???" << false;
    QTest::newRow("too many vowels") << "28"
                                     << "27" << true << false << "La valeur doit être entre 0 et 27." << false;
    QTest::newRow("too few letters") << "0"
                                     << "1" << true << false << "La valeur doit être entre 2 et 27." << false;
    QTest::newRow("Annuler") << "5"
                             << "12" << false << true << "" << false;
    QTest::newRow("the check box alone") << "4"
                                         << "9" << false << false << "" << false;
    // The new draw is automatic even when training draws are not.
    QTest::newRow("more letters, draws by hand") << "4"
                                                 << "11" << false << false << "" << true;
}

void MotOptionsDialogTest::okChecksAndAppliesTheRules() {
    QFETCH(QString, vowels);
    QFETCH(QString, letters);
    QFETCH(bool, automatic);
    QFETCH(bool, cancel);
    QFETCH(QString, refusal);
    QFETCH(bool, drawsAgain);
    int topic = 0;
    test::GameFixture::OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<MotOptionsDialog*>(modal);
        QVERIFY(dialog != nullptr);
        topic = game_.App().ContextHelpTopic();
        QCOMPARE(QApplication::focusWidget(), dialog->VowelsBox());
        QCOMPARE(dialog->VowelsBox()->text() + dialog->LettersBox()->text(), QStringLiteral("49"));
        const QList<QWidget*> controls = {dialog->VowelsBox(), dialog->LettersBox(),   dialog->AutoChoiceBox(),
                                          dialog->OkButton(),  dialog->CancelButton(), dialog->HelpButton()};
        const QStringList names = {
            "Nombre de voyelles", "Nombre de lettres", "Choix des lettres automatique", "OK", "Annuler", "Aide"};
        for (int i = 0; i < controls.size(); ++i)
            QCOMPARE(test::GameFixture::AccessibleName(controls[i]), names[i]);
        // Only the last box is typed, so that no text is refused on leaving a box.
        dialog->VowelsBox()->setText(vowels);
        dialog->LettersBox()->setFocus();
        dialog->LettersBox()->selectAll();
        QTest::keyClicks(dialog->LettersBox(), letters);
        dialog->AutoChoiceBox()->setChecked(automatic);
        (cancel ? dialog->CancelButton() : dialog->OkButton())->click();
        QCOMPARE(dialog->isVisible(), !refusal.isEmpty());
        if (dialog->isVisible())
            dialog->CancelButton()->click();
    });
    QVERIFY(game_.App().RunCommand(Command::Options));

    QCOMPARE(topic, 264);
    if (refusal.isEmpty()) {
        QVERIFY(game_.Prompts().messages.empty());
    } else {
        QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(game_.Prompts().messages[0].text), refusal);
        QCOMPARE(game_.Prompts().messages[0].caption,
                 std::string(refusal.startsWith("Plus") ? "Le mot le plus long" : "Lexinum"));
    }
    QCOMPARE(pane_->Channel().Stopped(), drawsAgain);
    if (!drawsAgain) {
        QCOMPARE(pane_->Letters(), std::string("TOILEEX"));
        QCOMPARE(pane_->LetterCount(), cancel || !refusal.isEmpty() ? 9 : letters.toInt());
        QCOMPARE(pane_->VowelCount(), 4);
        QCOMPARE(pane_->AutoChoice(), cancel || !refusal.isEmpty() ? true : automatic);
        return;
    }
    const std::string& draw = pane_->Letters();
    QCOMPARE(static_cast<int>(draw.size()), letters.toInt());
    QCOMPARE(static_cast<int>(std::count_if(draw.begin(), draw.end(), LetterDraw::IsVowel)), vowels.toInt());
    QCOMPARE(pane_->LettersField()->text().toStdString(), draw);
    QCOMPARE(pane_->AutoChoice(), automatic);
    QTRY_VERIFY(!pane_->Channel().WorkerAlive());
}

void MotOptionsDialogTest::greyedInAMatchAndKeptInTheSettings() {
    test::GameFixture::OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<MotOptionsDialog*>(modal);
        dialog->LettersBox()->setText(QStringLiteral("12"));
        dialog->OkButton()->click();
    });
    QVERIFY(game_.App().RunCommand(Command::Options));
    GameState& state = game_.App().State();
    state.SetCompetition(true);
    QVERIFY(!game_.Frame().IsCommandEnabled(Command::Options));
    state.SetCompetition(false);
    QVERIFY(game_.Frame().IsCommandEnabled(Command::Options));
    QVERIFY(game_.Frame().close());
    QCOMPARE(Profile(game_.IniPath().toStdString()).ReadInt(keys::kLetters, keys::kLetterCount, 0), 12);
}

LEXINUM_GUI_TEST(MotOptionsDialogTest)
#include "MotOptionsDialogTest.moc"
