// The program's entry: the one application object and the class library's start.
#include "TrellanApp.h"

CTrellanApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}
