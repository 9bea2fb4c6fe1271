#include "app/Wobblefin.h"

int main() { return wobblefin::RUN(); }
