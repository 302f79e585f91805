// A small child for the child-process tests. One behaviour per run:
//   silent [FILE]     read and drop the input until it ends, then write
//                     "end of input" into FILE
//   print TEXT        print TEXT at once, then as silent
//   bursts MS A B     print A, wait MS ms, print B and exit
//   turns A B         print A, wait for a line of input, print B, then as silent
//   echo FILE         copy the input byte for byte into FILE until it ends
//   exit-after MS     exit after MS ms without reading
//   print-exit TEXT   print TEXT and exit at once
//   ignore-eof        stay alive for a minute whatever happens to the input
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

#include "HelperText.h"

namespace {

void put(const std::string& text)
{
    if (::write(STDOUT_FILENO, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::exit(2);
}

void drainInput(int copyTo = -1)
{
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0)
        if (copyTo >= 0 && ::write(copyTo, buffer, static_cast<std::size_t>(n)) != n) std::exit(2);
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

int main(int argc, char** argv)
{
    using zemra::test::unescape;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "silent") {
        drainInput();
        if (argc > 2) {
            std::FILE* marker = std::fopen(argv[2], "w");
            if (!marker) return 2;
            std::fputs("end of input", marker);
            std::fclose(marker);
        }
    } else if (mode == "print" && argc > 2) {
        put(unescape(argv[2]));
        drainInput();
    } else if (mode == "bursts" && argc > 4) {
        put(unescape(argv[3]));
        sleepMs(std::atoi(argv[2]));
        put(unescape(argv[4]));
    } else if (mode == "turns" && argc > 3) {
        put(unescape(argv[2]));
        for (char c = 0; c != '\n';)
            if (::read(STDIN_FILENO, &c, 1) != 1) return 2;
        put(unescape(argv[3]));
        drainInput();
    } else if (mode == "echo" && argc > 2) {
        const int file = ::open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file < 0) return 2;
        drainInput(file);
        ::close(file);
    } else if (mode == "exit-after" && argc > 2) {
        sleepMs(std::atoi(argv[2]));
    } else if (mode == "print-exit" && argc > 2) {
        put(unescape(argv[2]));
    } else if (mode == "ignore-eof") {
        sleepMs(60000);
    } else {
        std::fprintf(stderr, "child-helper: unknown behaviour\n");
        return 1;
    }
    return 0;
}
