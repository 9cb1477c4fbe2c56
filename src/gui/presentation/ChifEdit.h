#pragma once

#include "core/numbers/NumberBoxRule.h"

#include <QLineEdit>
#include <QPointer>

#include <optional>
#include <string>

namespace lexinum {

// A number box: the numbers pane's six numbers and its target, and the count
// and range boxes of the letters and numbers settings. Only digits can be
// typed (any other key beeps); the whole text is checked against the box's
// rule when the player leaves the box (Tab, a click elsewhere, a shortcut
// key) and whenever the caller asks.
// Besides typing, the value steps up or down with the arrow keys, or by
// dragging the mouse with the right button held (right or up steps up, left
// or down steps down, one step per 6 pixels); a tile box steps through the
// tile values, any other box by its whole value or by its selected digits.
class ChifEdit : public QLineEdit {
    Q_OBJECT

public:
    // A box of at most `maxLength` characters following `rule`, showing "0".
    ChifEdit(const NumberBoxRule& rule, int maxLength, QWidget* parent);

    // The rule the box follows (its validator).
    const NumberBoxRule& Rule() const { return rule_; }
    void SetRule(const NumberBoxRule& rule) { rule_ = rule; }

    // The message the box's text earns, empty when the rule accepts it.
    std::string Check() const;
    // The value of the text, when the rule accepts it.
    std::optional<int> Value() const;
    // Checks the text; when it is refused, shows the message and gives the
    // box the focus with its whole text selected. True when accepted.
    bool Validate();
    // Shows `value` (not announced as the player's change).
    void ShowValue(int value);
    // One step up or down, as the player makes it; false when the box is
    // read-only or its rule refuses the stepped text.
    bool Step(bool up);
    // True while a right-button drag is stepping the box.
    bool Dragging() const { return dragging_; }

signals:
    // The player made the text one the rule accepts (typing or stepping).
    void valueAccepted(int value);
    // A key the box cannot take was refused (with the warning beep).
    void keyRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void AnnounceIfAccepted();
    void EndDrag();
    // Checks the text once the focus has settled elsewhere (after the click
    // that took it, and its command); says nothing if the box has it again
    // or was checked meanwhile (`generation` is then out of date).
    void CheckWhenSettled(int generation);

    // How often a check waiting for a mouse button to be released looks again.
    static constexpr int kSettleMilliseconds = 20;

    NumberBoxRule rule_;
    bool dragging_ = false;
    QPoint dragFrom_;
    QPointer<QWidget> focusBeforeDrag_;
    // A mouse press gives the focus before the box sees the press: where the
    // focus came from, and whether a press brought it.
    QPointer<QWidget> focusCameFrom_;
    bool focusedByPress_ = false;
    // Counts the checks asked: a check waiting for the focus to settle runs
    // only if no other came after it.
    int checkGeneration_ = 0;
};

} // namespace lexinum
