// Generated projects for the views' benchmarks and screenshots: nTasks tasks on three
// levels (top summaries, each with up to 10 sub-summaries of 9 leaves), leaves of 1 to 20
// working days chained finish-to-start to a nearby earlier leaf of the same top summary,
// five resources assigned round the leaves. The standard calendar (Saturday and Sunday
// off). Written into a document, a local project file or the project XML.
#pragma once

#include <Orvesk/ProjectDoc.h>

#include <string>

struct ProjectGeneratorOptions
{
    int nTasks = 1000;
    // The first leaf starts here (a Monday).
    int nYear = 2004, nMonth = 3, nDay = 1;
    // Chinese task names ("需求分析 12") when set, else "Task 12".
    bool bChineseNames = true;
};

// Fills an empty document: header, five members, the tasks with their rows numbered depth
// first from 1 and the links naming their predecessors by row and name (no server ids).
void GenerateProject(CProjectDoc& doc, const ProjectGeneratorOptions& options);

// Writes the generated project as a local project file; false (with the reason) when it
// cannot be written.
bool WriteGeneratedProjectFile(const ProjectGeneratorOptions& options, const std::string& path, std::string& error);

// The generated project as the project exchange XML.
CString GeneratedProjectXml(const ProjectGeneratorOptions& options);
