#include <QCoreApplication>

#include <cstdio>

// The application object lands with the shell; until then the binary only
// says what it is.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("halvorin %s: the sampling core is built; the tray application is not yet.\n", HALVORIN_VERSION);
    return 0;
}
