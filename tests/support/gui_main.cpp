#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

// GUI tests share one QApplication on the offscreen platform.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
