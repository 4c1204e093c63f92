// The program's entry: the one application object and the class library's start.
#include "TrellanApp.h"

#include <ClassLib/Core/StartTrace.h>

CTrellanApp theApp;

int main(int argc, char** argv)
{
    AfxStartMark("main");
    return AfxWinMain(argc, argv);
}
