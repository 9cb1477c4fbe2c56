#pragma once

#include <QObject>

#include <memory>

namespace lexinum::test {

// Makes one interface test class.
using TestClassMaker = std::unique_ptr<QObject> (*)();

// Adds a test class to the interface test program under `name`; the program
// runs the class named by its first argument. Always true.
bool RegisterTestClass(const char* name, TestClassMaker make);

} // namespace lexinum::test

// Stands where QTEST_MAIN would: every interface test class is linked into
// one program, which runs one class a run (one CTest entry per class).
#define LEXINUM_GUI_TEST(TestClass)                                                                                    \
    namespace {                                                                                                        \
    [[maybe_unused]] const bool registered##TestClass = ::lexinum::test::RegisterTestClass(                            \
        #TestClass, [] { return std::unique_ptr<QObject>(std::make_unique<TestClass>()); });                           \
    }
