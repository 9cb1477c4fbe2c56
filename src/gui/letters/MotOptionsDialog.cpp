#include "letters/MotOptionsDialog.h"

#include "common/Prompter.h"
#include "lexicon/LetterDraw.h"
#include "core/numbers/NumberBoxRule.h"
#include "presentation/ChifEdit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace lexinum {

namespace {

// The count boxes take up to two digits (27).
constexpr int kBoxLength = 2;

} // namespace

MotOptionsDialog::MotOptionsDialog(QWidget* parent, AppServices& app, const LettersOptions& options)
    : CenteredDialog(parent, app, kHelpTopic), options_(options) {
    setWindowTitle(QStringLiteral("Paramètres pour les Lettres"));

    // Any count of vowels up to the longest draw; the letter count decides on OK.
    vowelsBox_ = new ChifEdit(NumberBoxRule::Range(0, LetterDraw::kMaxLetters), kBoxLength, this);
    lettersBox_ =
        new ChifEdit(NumberBoxRule::Range(LetterDraw::kMinLetters, LetterDraw::kMaxLetters), kBoxLength, this);
    vowelsBox_->ShowValue(options.vowelCount);
    lettersBox_->ShowValue(options.letterCount);
    auto* vowelsLabel = new QLabel(QStringLiteral("Nombre de &voyelles:"), this);
    auto* lettersLabel = new QLabel(QStringLiteral("Nombre de &lettres:"), this);
    vowelsLabel->setBuddy(vowelsBox_);
    lettersLabel->setBuddy(lettersBox_);
    vowelsBox_->setAccessibleName(QStringLiteral("Nombre de voyelles"));
    lettersBox_->setAccessibleName(QStringLiteral("Nombre de lettres"));
    autoChoice_ = new QCheckBox(QStringLiteral("Choi&x des lettres automatique"), this);
    autoChoice_->setChecked(options.autoChoice);

    const ButtonRow buttons = MakeButtonRow();
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;
    helpButton_ = buttons.help;

    auto* boxes = new QGridLayout;
    boxes->addWidget(vowelsLabel, 0, 0);
    boxes->addWidget(vowelsBox_, 0, 1);
    boxes->addWidget(lettersLabel, 1, 0);
    boxes->addWidget(lettersBox_, 1, 1);
    boxes->addWidget(autoChoice_, 2, 0, 1, 2);
    const int digitWidth = vowelsBox_->fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    vowelsBox_->setFixedWidth(digitWidth + 2 * vowelsBox_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
    lettersBox_->setFixedWidth(vowelsBox_->width());
    auto* layout = new QGridLayout(this);
    layout->addLayout(boxes, 0, 0);
    layout->addLayout(buttons.layout, 1, 0);
    FixSizeForTitle();

    setTabOrder(vowelsBox_, lettersBox_);
    setTabOrder(lettersBox_, autoChoice_);
    setTabOrder(autoChoice_, okButton_);
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, helpButton_);
    vowelsBox_->setFocus(Qt::OtherFocusReason);
    vowelsBox_->selectAll();
}

void MotOptionsDialog::accept() {
    if (!vowelsBox_->Validate() || !lettersBox_->Validate())
        return;
    const int vowels = *vowelsBox_->Value();
    const int letters = *lettersBox_->Value();
    if (letters < vowels) {
        Prompter::Active().Tell(kVowelsMessage, kVowelsCaption, PromptIcon::Exclamation);
        vowelsBox_->setFocus(Qt::OtherFocusReason);
        vowelsBox_->selectAll();
        return;
    }
    countsChanged_ = vowels != options_.vowelCount || letters != options_.letterCount;
    options_.vowelCount = vowels;
    options_.letterCount = letters;
    options_.autoChoice = autoChoice_->isChecked();
    CenteredDialog::accept();
}

} // namespace lexinum
