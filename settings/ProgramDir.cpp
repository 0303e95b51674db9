#include "settings/ProgramDir.h"

#include "platform/FileSystem.h"

std::u16string ProgramDirectory() {
    return FileSystem::CurrentDirectory();
}
