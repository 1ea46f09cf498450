// Placeholder entry point until the desktop exists.
#include <final/final.h>

int main() { return 0; }
