// velk-plist FILE...: prints each property list as compact JSON, or
// "invalid", one line per file, then "files=N valid=V".
#include "platform/plist/PropertyList.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: velk-plist FILE...\n");
        return 2;
    }
    int valid = 0;
    for (int i = 1; i < argc; ++i) {
        const auto value = velk::platform::plist::readFile(QFile::decodeName(argv[i]));
        if (value) {
            ++valid;
            const QByteArray json = velk::platform::plist::toCompactJson(*value);
            std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
            std::fputc('\n', stdout);
        } else {
            std::puts("invalid");
        }
    }
    std::printf("files=%d valid=%d\n", argc - 1, valid);
    return 0;
}
