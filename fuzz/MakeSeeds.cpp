// Writes the seed corpora of the fuzz entry points with the project's own writers (and, for
// the readers of texts only a server writes, the texts the tests use): fuzz-seeds FOLDER
// fills FOLDER/<Entry>/. The corpora in corpus/ were made with it.
#include "FuzzEntry.h"
#include "SeedFiles.h"

#include "GridCtrl.h"
#include "ProjectDoc.h"
#include "StringCipher.h"
#include "TaskCodes.h"

#include <ClassLib/Afx.h>
#include <ClassLib/Registry/Registry.h>
#include <ProjectService/ServiceDescription.h>
#include <ProjectService/SoapEnvelope.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>

using namespace projectsoap;

namespace {

using seeds::Put;
using seeds::ReadFile;

void Put(const char* entry, const char* name, const CString& bytes)
{
    Put(entry, name, std::string((LPCTSTR)bytes, bytes.GetLength()));
}

std::string Contents(CMemFile& file)
{
    std::string bytes((size_t)file.GetLength(), '\0');
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(&bytes[0], (UINT)bytes.size());
    return bytes;
}

CTaskItem* MakeTask(int n)
{
    CTaskItem* pTask = new CTaskItem;
    pTask->m_nRowInGrid = n;
    pTask->m_nTaskID = 100 + n;
    pTask->m_nProjID = 9;
    pTask->m_strName.Format("任务 %d", n);
    pTask->m_strDesc = "说明 <甲> & 备注";
    pTask->m_nDuration = 86400 * n;
    pTask->m_dtStart = COleDateTime(2004, 3, 1, 8, 0, 0);
    pTask->m_dtFinish = COleDateTime(2004, 3, 1 + n, 17, 0, 0);
    pTask->m_dtCreation = COleDateTime(2003, 12, 1, 0, 0, 0);
    pTask->m_arrAssignees.Add("R1");
    CTaskLink* pLink = new CTaskLink;
    pLink->m_nPredID = 100 + n - 1;
    pLink->m_nType = 1;
    pTask->m_listLinks.AddTail(pLink);
    CRefDoc* pRef = new CRefDoc;
    pRef->m_strDocName = "图纸.dwg";
    pRef->m_strDocLocation = "/docs/1";
    pTask->m_listRefDocs.AddTail(pRef);
    return pTask;
}

void FillProject(CProjectDoc& doc)
{
    doc.m_ProjectInfo.m_nProjID = 9;
    doc.m_ProjectInfo.m_strName = "种子项目";
    tagResInfo res;
    res.strCode = "R1";
    res.strName = "资源";
    doc.m_ProjectInfo.m_listMembers.AddTail(res);
    CTaskItem* pTop = MakeTask(1);
    pTop->m_listChildren.AddTail(MakeTask(2));
    pTop->m_listChildren.AddTail(MakeTask(3));
    doc.m_listTasks.AddTail(pTop);
    doc.m_listTasks.AddTail(MakeTask(4));
    doc.m_nMaxRowInGrid = 4;
}

// The project of FillProject as new: no ids yet, every task new.
void MarkNew(CTaskItemList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTaskItem* pTask = list.GetNext(pos);
        pTask->m_nTaskID = 0;
        pTask->m_nFlag = FLAG_NEW;
        MarkNew(pTask->m_listChildren);
    }
}

void ServerReplySeeds()
{
    CProjectDoc stored;
    FillProject(stored);
    CString storedXml;
    stored.WriteProjectXml(storedXml);
    CProjectDoc fresh;
    FillProject(fresh);
    fresh.m_ProjectInfo.m_nProjID = 0;
    MarkNew(fresh.m_listTasks);
    CString freshXml;
    fresh.WriteProjectXml(freshXml);
    seeds::ServerSeeds(std::string((LPCTSTR)storedXml, storedXml.GetLength()),
                       std::string((LPCTSTR)freshXml, freshXml.GetLength()));
    seeds::ServerRequestSeeds(std::string((LPCTSTR)storedXml, storedXml.GetLength()),
                              std::string((LPCTSTR)freshXml, freshXml.GetLength()));
}

void ProjectSeeds()
{
    CProjectDoc doc;
    FillProject(doc);
    CString xml;
    doc.WriteProjectXml(xml);
    Put("ProjectXml", "project.xml", xml);
    Put("XmlDom", "project.xml", xml);
    CProjectDoc empty;
    CString emptyXml;
    empty.WriteProjectXml(emptyXml);
    Put("ProjectXml", "empty.xml", emptyXml);
    Put("ProjectXml", "comments.xml",
        std::string("<PROJECT><!-- c --><ID>3</ID><TASKS><TASK><TASKID>1</TASKID><LINKS><!-- l --><LINK>"
                    "<PREDID>2</PREDID></LINK></LINKS><STARTDATE>2004\xC4\xEA" "3\xD4\xC2" "1\xC8\xD5</STARTDATE>"
                    "</TASK></TASKS></PROJECT>"));

    const std::string path = "/tmp/pc-fuzz-seed.tlp";
    CString error;
    doc.SaveLocalFile(path.c_str(), error);
    Put("ProjectFile", "project.tlp", ReadFile(path));
    empty.SaveLocalFile(path.c_str(), error);
    Put("ProjectFile", "empty.tlp", ReadFile(path));
    std::remove(path.c_str());

    // Archived lists: collections of the class library and the project's records.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CObList list;
        list.AddTail(MakeTask(5));
        list.AddTail(new CTaskLink);
        list.Serialize(ar);
        ar.Close();
        while (!list.IsEmpty())
            delete list.RemoveHead();
    }
    Put("ArchiveLists", "records.bin", Contents(file));
    CMemFile strings;
    {
        CArchive ar(&strings, CArchive::store);
        CStringArray a;
        a.Add("甲");
        a.Add("abc");
        a.Serialize(ar);
        ar.Close();
    }
    Put("ArchiveLists", "strings.bin", Contents(strings));
}

void TextSeeds()
{
    Put("CalendarXml", "calendar.xml",
        std::string("<CALENDAR><CALID>7</CALID><CALNAME>\xC8\xD5\xC0\xFA</CALNAME><CALBASEID>-1</CALBASEID>"
                    "<RESCODE></RESCODE><CALDATA><CALDATE><FROMDATE>2004-5-1 0:0:0</FROMDATE>"
                    "<TODATE>2004-5-7 23:59:59</TODATE><WORKING>0</WORKING></CALDATE>"
                    "<CALDAY><DAY>3</DAY><WORKING>0</WORKING></CALDAY></CALDATA></CALENDAR>"));
    Put("ResourceXml", "resources.xml",
        std::string("<RESOURCES><RESOURCE><RESCODE>R1</RESCODE><RESNAME>\xD5\xC5\xC8\xFD</RESNAME>"
                    "<RESTYPE>2</RESTYPE><RESISADMIN>0</RESISADMIN><RESISMANAGER>1</RESISMANAGER>"
                    "<RESISEXT>1</RESISEXT><RESCOST>30</RESCOST><RESACTCOST>25</RESACTCOST></RESOURCE>"
                    "<RESOURCE><RESCODE>R2</RESCODE><RESTYPE></RESTYPE></RESOURCE></RESOURCES>"));
    Put("PermissionXml", "permissions.xml",
        std::string("<PERMISSIONS><PERMISSION><RESCODE>U1</RESCODE><OPENPROJ>1</OPENPROJ>"
                    "<PUBLISHPROJ>2</PUBLISHPROJ><DELETEPROJ>0</DELETEPROJ><MODIFYPROGRESS>1</MODIFYPROGRESS>"
                    "<LOOKPROGRESS>0</LOOKPROGRESS><FORUM>0</FORUM></PERMISSION>"
                    "<PERMISSION><RESCODE>guest</RESCODE></PERMISSION></PERMISSIONS>"));
    Put("XmlDom", "kinds.xml",
        std::string("<?xml version=\"1.0\"?><!DOCTYPE a><a x=\"1\" y='&amp;'><!-- c --><?pi t?>"
                    "<![CDATA[<raw>]]>text&#13;<b/>\xD6\xD0</a>"));
    const char* dates[] = {"2004-3-1 8:0:0", "2004-12-31 23:59:59", "2004\xC4\xEA" "3\xD4\xC2" "1\xC8\xD5",
                           "12:30", "2004/03/01", "1899-12-30", "9999-12-31 23:59:59"};
    int i = 0;
    for (const char* d : dates) {
        std::string name = "date" + std::to_string(i++) + ".txt";
        Put("DateParse", name.c_str(), std::string(d));
    }
    CString secret = "password";
    EncryptString(secret, g_szLoginCipherKey);
    Put("Cipher", "password.txt", secret);
    CString longer = "a longer password of more than one block, \xC3\xDC\xC2\xEB";
    EncryptString(longer, g_szLoginCipherKey);
    Put("Cipher", "longer.txt", longer);
}

void ServiceSeeds()
{
    SoapValues values;
    values.push_back(SoapValue{"return", "<PROJECT><ID>1</ID></PROJECT>"});
    values.push_back(SoapValue{"nTaskID", "7"});
    Put("SoapReply", "reply.xml", BuildEnvelope("http://tempuri.org/", "GetProjectResponse", values));
    Put("SoapReply", "fault.xml", BuildFault("soap:Server", "the server cannot open the project"));
    Put("ServiceDescription", "service.wsdl",
        BuildServiceDescription("http://tempuri.org/", "http://127.0.0.1:8080/site/WebService/OrveskService"));
}

void GridSeeds()
{
    CGridCtrl grid(3, 4, 1, 1);
    grid.SetItemText(0, 1, "任务名称");
    grid.SetItemText(1, 1, "a,\"b\"");
    grid.SetItemText(2, 2, "2004年3月1日");
    const std::string path = "/tmp/pc-fuzz-seed.grid";
    grid.Save(path.c_str());
    Put("GridLoad", "grid.txt", ReadFile(path));
    std::remove(path.c_str());
}

void SettingsSeeds()
{
    const std::string path = "/tmp/pc-fuzz-seed.settings";
    std::remove(path.c_str());
    AfxTestSetRegistryFile(path.c_str());
    HKEY key = nullptr;
    RegCreateKey(HKEY_CURRENT_USER, "Software\\Vendor\\\xC1\xAC\xBD\xD3", &key);
    const DWORD id = 6;
    RegSetValueEx(key, "UserID", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&id), 4);
    RegSetValueEx(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>("a\"b%"), 5);
    RegSetValueEx(key, "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>("x\0y\0"), 5);
    RegCloseKey(key);
    RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Empty", &key);
    RegCloseKey(key);
    AfxTestSetRegistryFile("");
    Put("SettingsStore", "store.txt", ReadFile(path));
    std::remove(path.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    fuzz::EnsureHeadless();
    seeds::SetRoot(argv[1]);
    ProjectSeeds();
    TextSeeds();
    ServiceSeeds();
    GridSeeds();
    SettingsSeeds();
    ServerReplySeeds();
    seeds::StoreSeeds();
    seeds::PdmReplySeeds();
    seeds::DownloadSeeds();
    return 0;
}

// The seed program defines no entry point of its own.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }
