#pragma once

#include <QObject>

namespace lexinum {

class AppServices;

// While it lives, F1 anywhere in the program asks context help and Shift+F1
// the help contents, even inside a dialog's own modal loop, where the frame's
// shortcut keys do not reach. Each dialog that wants it holds its own filter,
// so nested dialogs each remove exactly what they installed.
class HelpKeyFilter : public QObject {
    Q_OBJECT

public:
    explicit HelpKeyFilter(AppServices& app, QObject* parent = nullptr);
    ~HelpKeyFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppServices& app_;
};

} // namespace lexinum
