// A whole number as decimal text, written backwards from the end of a buffer (the row numbers
// and predecessor lists of many rows are written without a format to parse).
#pragma once

inline char* DecimalText(char (&buffer)[16], int n)
{
    char* p = buffer + sizeof(buffer);
    *--p = 0;
    unsigned int u = n < 0 ? 0u - static_cast<unsigned int>(n) : static_cast<unsigned int>(n);
    do
        *--p = static_cast<char>('0' + u % 10);
    while ((u /= 10) != 0);
    if (n < 0)
        *--p = '-';
    return p;
}
