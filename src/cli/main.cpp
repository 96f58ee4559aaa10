#include <cstdio>

int main(int, char**) {
    std::puts("tunewright-cli: no commands yet");
    return 0;
}
