#include "app/LevelDialog.h"

#include "app/PlayerNameValidator.h"
#include "match/PlayerName.h"
#include "presentation/ValidEdit.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace lexinum {

LevelDialog::LevelDialog(QWidget* parent, AppServices& app, int level, const QString& name)
    : CenteredDialog(parent, app, kHelpTopic) {
    setWindowTitle(QStringLiteral("Nouvelle partie"));

    auto* levelBox = new QGroupBox(QStringLiteral("Ni&veau"), this);
    auto* levelColumn = new QVBoxLayout(levelBox);
    levels_ = new QButtonGroup(this);
    for (int l = kLowestLevel; l <= kHighestLevel; ++l) {
        const QString label = QString::fromStdString(LevelName(l));
        auto* button = new QRadioButton(label, levelBox);
        button->setAccessibleName(label);
        levels_->addButton(button, l);
        levelColumn->addWidget(button);
        levelButtons_[static_cast<std::size_t>(l - kLowestLevel)] = button;
    }
    if (IsLevel(level))
        LevelButton(level)->setChecked(true);

    nameEdit_ = new ValidEdit(new PlayerNameValidator, this);
    nameEdit_->setAccessibleName(QStringLiteral("Nom du joueur"));
    nameEdit_->setText(QString::fromStdString(StorablePlayerName(name.toStdString())));
    // Wide enough for ten of the widest letters.
    nameEdit_->setMinimumWidth(nameEdit_->fontMetrics().horizontalAdvance(QStringLiteral("W")) *
                                   static_cast<int>(kMaxPlayerNameLength) +
                               4 * nameEdit_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    auto* nameLabel = new QLabel(QStringLiteral("&Nom du joueur:"), this);
    nameLabel->setBuddy(nameEdit_);

    const ButtonRow buttons = MakeButtonRow();
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;
    helpButton_ = buttons.help;
    connect(levels_, &QButtonGroup::idToggled, this, &LevelDialog::UpdateOk);
    connect(nameEdit_, &QLineEdit::textChanged, this, &LevelDialog::UpdateOk);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(nameEdit_);
    auto* layout = new QGridLayout(this);
    layout->addWidget(levelBox, 0, 0);
    layout->addLayout(nameRow, 1, 0);
    layout->addLayout(buttons.layout, 2, 0);
    FixSizeForTitle();

    for (std::size_t i = 1; i < levelButtons_.size(); ++i)
        setTabOrder(levelButtons_[i - 1], levelButtons_[i]);
    setTabOrder(levelButtons_.back(), nameEdit_);
    setTabOrder(nameEdit_, okButton_);
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, helpButton_);
    UpdateOk();
    nameEdit_->setFocus(Qt::OtherFocusReason);
    nameEdit_->selectAll();
}

QRadioButton* LevelDialog::LevelButton(int level) const {
    return IsLevel(level) ? levelButtons_[static_cast<std::size_t>(level - kLowestLevel)] : nullptr;
}

int LevelDialog::Level() const {
    const int chosen = levels_->checkedId();
    return IsLevel(chosen) ? chosen : kNoLevel;
}

QString LevelDialog::Name() const {
    return nameEdit_->text();
}

bool LevelDialog::Complete() const {
    return Level() != kNoLevel && IsPlayerName(Name().toStdString());
}

void LevelDialog::UpdateOk() {
    okButton_->setEnabled(Complete());
}

void LevelDialog::accept() {
    if (!Complete())
        return;
    CenteredDialog::accept();
}

} // namespace lexinum
