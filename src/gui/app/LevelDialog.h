#pragma once

#include "match/Levels.h"
#include "presentation/CenteredDialog.h"

#include <array>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace lexinum {

class ValidEdit;

// "Nouvelle partie": the computer's level (six choices) and the player's name
// (10 characters at most, no blank). "O&K" is refused, without a message and
// greyed, while the name is empty or no level is chosen.
class LevelDialog : public CenteredDialog {
    Q_OBJECT

public:
    static constexpr HelpTopic kHelpTopic = HelpTopic::NewMatch;

    // Proposes `level` (none checked outside 1..6) and `name`; a name the
    // games' files could not store is shown without what they cannot hold.
    LevelDialog(QWidget* parent, AppServices& app, int level, const QString& name);

    // The level chosen (1..6), 0 when none is.
    int Level() const;
    // The name typed.
    QString Name() const;

    QRadioButton* LevelButton(int level) const;
    ValidEdit* NameEdit() const { return nameEdit_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* HelpButton() const { return helpButton_; }

    // "O&K": closes only with a name and a level.
    void accept() override;

private:
    bool Complete() const;
    void UpdateOk();

    QButtonGroup* levels_ = nullptr;
    std::array<QRadioButton*, kLevelCount> levelButtons_{};
    ValidEdit* nameEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace lexinum
