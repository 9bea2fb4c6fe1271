// Projection set-ups, render-state switches and lights.
#pragma once

namespace corvala {

}  // namespace corvala
