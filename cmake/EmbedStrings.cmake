# Writes the string table INPUT as a C++ character array into OUTPUT. Each byte is a character
# literal, so that the bytes of UTF-8 sequences (0x80 and above) fit a plain char.
file(READ ${INPUT} content HEX)
string(LENGTH "${content}" length)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${content}")
file(WRITE ${OUTPUT} "// Generated from the English string table.\nnamespace varelo {\nextern const char kEnglishStringTable[] = {${bytes} 0x00};\n}\n")
