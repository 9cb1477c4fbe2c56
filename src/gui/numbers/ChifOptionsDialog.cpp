#include "numbers/ChifOptionsDialog.h"

#include "common/Prompter.h"
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

// The settings boxes take up to five digits (32767).
constexpr int kBoxLength = 5;

} // namespace

ChifOptionsDialog::ChifOptionsDialog(QWidget* parent, AppServices& app, const NumbersOptions& options)
    : CenteredDialog(parent, app, kHelpTopic), options_(options) {
    setWindowTitle(QStringLiteral("Paramètres pour les Chiffres"));

    maxBox_ = new ChifEdit(NumberBoxRule::ForMaxTargetSetting(), kBoxLength, this);
    minBox_ = new ChifEdit(NumberBoxRule::ForMinTargetSetting(), kBoxLength, this);
    maxBox_->ShowValue(options.maxTarget);
    minBox_->ShowValue(options.minTarget);
    auto* maxLabel = new QLabel(QStringLiteral("Nombre &maximum:"), this);
    auto* minLabel = new QLabel(QStringLiteral("Nombre m&inimum:"), this);
    maxLabel->setBuddy(maxBox_);
    minLabel->setBuddy(minBox_);
    maxBox_->setAccessibleName(QStringLiteral("Nombre maximum"));
    minBox_->setAccessibleName(QStringLiteral("Nombre minimum"));
    // Checked means any number from 1 to 100.
    allNumbers_ = new QCheckBox(QStringLiteral("Utiliser &tous les nombres"), this);
    allNumbers_->setChecked(!options.limitedNumbers);

    const ButtonRow buttons = MakeButtonRow();
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;
    helpButton_ = buttons.help;

    auto* boxes = new QGridLayout;
    boxes->addWidget(maxLabel, 0, 0);
    boxes->addWidget(maxBox_, 0, 1);
    boxes->addWidget(minLabel, 1, 0);
    boxes->addWidget(minBox_, 1, 1);
    boxes->addWidget(allNumbers_, 2, 0, 1, 2);
    const int digitWidth = maxBox_->fontMetrics().horizontalAdvance(QStringLiteral("000000"));
    maxBox_->setFixedWidth(digitWidth + 2 * maxBox_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
    minBox_->setFixedWidth(maxBox_->width());
    auto* layout = new QGridLayout(this);
    layout->addLayout(boxes, 0, 0);
    layout->addLayout(buttons.layout, 1, 0);
    FixSizeForTitle();

    setTabOrder(maxBox_, minBox_);
    setTabOrder(minBox_, allNumbers_);
    setTabOrder(allNumbers_, okButton_);
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, helpButton_);
    maxBox_->setFocus(Qt::OtherFocusReason);
    maxBox_->selectAll();
}

void ChifOptionsDialog::accept() {
    if (!maxBox_->Validate() || !minBox_->Validate())
        return;
    const int maxTarget = *maxBox_->Value();
    const int minTarget = *minBox_->Value();
    if (maxTarget < minTarget) {
        Prompter::Active().Tell(kOrderMessage, kOrderCaption, PromptIcon::Exclamation);
        minBox_->setFocus(Qt::OtherFocusReason);
        minBox_->selectAll();
        return;
    }
    options_.maxTarget = maxTarget;
    options_.minTarget = minTarget;
    options_.limitedNumbers = !allNumbers_->isChecked();
    CenteredDialog::accept();
}

} // namespace lexinum
