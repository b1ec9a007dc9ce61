#include "platform/FileSystem.h"
#include "platform/Ini.h"

Text ReadIniValue(const Text& file, const Text& section, const Text& key)
{
    return IniLookUp(ReadWholeFile(file), section, key);
}

bool WriteIniValue(const Text& file, const Text& section, const Text& key, const Text& value)
{
    Text content = ReadWholeFile(file);
    if (!IniAssign(content, section, key, value))
        return false;
    return WriteWholeFile(file, content);
}
