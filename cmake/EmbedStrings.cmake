# Writes the string table INPUT as a C++ character array into OUTPUT.
file(READ ${INPUT} content HEX)
string(LENGTH "${content}" length)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
file(WRITE ${OUTPUT} "// Generated from the English string table.\nnamespace varelo {\nextern const char kEnglishStringTable[] = {${bytes} 0x00};\n}\n")
