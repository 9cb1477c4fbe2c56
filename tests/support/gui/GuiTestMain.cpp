// The interface test program: `gui_tests CLASS [QtTest arguments]` runs one
// test class as its own QTEST_MAIN would, with a watchdog that closes a modal
// dialog left open by a failed check. Without a class it lists them.
#include "GuiTestMain.h"
#include "ModalWatchdog.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace lexinum::test {

namespace {

std::map<std::string, TestClassMaker>& Classes() {
    static std::map<std::string, TestClassMaker> classes;
    return classes;
}

} // namespace

bool RegisterTestClass(const char* name, TestClassMaker make) {
    Classes().emplace(name, make);
    return true;
}

} // namespace lexinum::test

int main(int argc, char* argv[]) {
    using lexinum::test::Classes;
    const auto found = argc > 1 ? Classes().find(argv[1]) : Classes().end();
    if (found == Classes().end()) {
        if (argc > 1)
            std::fprintf(stderr, "unknown test class: %s\n", argv[1]);
        std::fprintf(stderr, "usage: %s CLASS [QtTest arguments]; the classes:\n", argv[0]);
        for (const auto& [name, make] : Classes())
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // The class name is the program's own business; QtTest reads the rest.
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);

    QApplication app(count, arguments.data());
    app.setAttribute(Qt::AA_Use96Dpi, true);
    lexinum::test::ModalWatchdog watchdog;
    const std::unique_ptr<QObject> testObject = found->second();
    return QTest::qExec(testObject.get(), count, arguments.data());
}
