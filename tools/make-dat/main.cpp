// Writes a configuration (.dat) file from its text description:
//
//   vantor3-make-dat samples/demo.txt samples/demo.dat
//
// A development tool for samples, test data and fuzz seeds; the program itself only reads
// configurations.

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "support/ConfigDescriptionText.h"
#include "support/ConfigWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vantor3-make-dat DESCRIPTION.txt OUTPUT.dat\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        const vantor::ByteArray bytes =
            vantor::test::WriteConfiguration(vantor::test::ParseConfigDescription(text.str()));
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << argv[2] << ": cannot be written\n";
            return 1;
        }
    } catch (const std::invalid_argument& e) {
        std::cerr << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
