// On the viewer's page a file the user chooses or drops is written into the program's files and its path
// queued (Module.md3viewQueue); the viewer takes one a frame and says on the page what became of it.
#pragma once
#include <string>

namespace md3view {
bool TakeUpload(std::string& path);                    // false when none is queued
void SayOpened(const std::string& text, bool failed);  // the scene's name, or why it could not be opened
}  // namespace md3view
