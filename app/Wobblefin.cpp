#include "app/Wobblefin.h"

namespace wobblefin {

int RUN() { return 0; }

}  // namespace wobblefin
