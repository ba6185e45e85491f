#include <gtest/gtest.h>

#include <clocale>

// The tests run in the locale of their environment, as the program does once the window toolkit
// has applied it, so that a run under a locale with a decimal comma shows what users meet.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
