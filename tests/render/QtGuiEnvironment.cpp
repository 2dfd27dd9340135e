// Fonts need a GUI application object; every test of this folder runs inside one.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtGuiEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_render";
        static char *argv[] = {name, nullptr};
        FApp = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { FApp.reset(); }

private:
    std::unique_ptr<QGuiApplication> FApp;
};

[[maybe_unused]] testing::Environment *const kEnvironment =
    testing::AddGlobalTestEnvironment(new QtGuiEnvironment);

} // namespace
