#include "presentation/WindowHelpTopic.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace lexinum {

namespace {

constexpr char kTopicProperty[] = "lexinumHelpTopic";

} // namespace

void SetHelpTopic(QWidget* window, HelpTopic topic) {
    window->setProperty(kTopicProperty, TopicNumber(topic));
}

int HelpTopicOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const int topic = w->property(kTopicProperty).toInt();
        if (topic != 0)
            return topic;
    }
    return 0;
}

int OpenDialogHelpTopic() {
    // A message box over a dialog has no topic of its own: the dialog's holds.
    return HelpTopicOf(QApplication::activeModalWidget());
}

} // namespace lexinum
