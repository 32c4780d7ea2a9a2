#pragma once

namespace pictavo {

// Makes the program's images (":/icons/...") available; safe to call often.
void InitResources();

}  // namespace pictavo
