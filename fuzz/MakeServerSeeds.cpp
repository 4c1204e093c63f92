// Seeds written by the project's own servers and store: the project-list and save replies
// of the loopback project server (through the service client), product-data stores made by
// the store's writer, and HTTP replies recorded from the project server's document download
// and the loopback file server of the download tests, and the product-data answers of the
// project server. The servers answer only a logged-in session, so every request is made in
// one (else each seed would be the same refusal).
#include "SeedFiles.h"

#include <HttpLoopback/LoopbackHttpServer.h>
#include <Internet/ServerSession.h>
#include <Pdm/PdmStore.h>
#include <ProjectServer/ProjectServer.h>
#include <ProjectService/SoapProjectService.h>
#include <ProjectServiceLoopback/LoopbackProjectServer.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

namespace seeds {

namespace {

std::string Bytes(const CString& s)
{
    return std::string((LPCTSTR)s, s.GetLength());
}

// The raw reply of one request, as a client receives it (the connection closes after it).
std::string Exchange(int port, const std::string& request)
{
    std::string reply;
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return reply;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons((uint16_t)port);
    if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        ::send(s, request.data(), request.size(), MSG_NOSIGNAL);
        char buf[4096];
        pollfd p{s, POLLIN, 0};
        while (::poll(&p, 1, 3000) > 0) {
            const ssize_t n = ::recv(s, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            reply.append(buf, (size_t)n);
        }
    }
    ::close(s);
    return reply;
}

// `cookie`: the Cookie header's value, "" for none.
std::string Record(int port, const std::string& target, const std::string& cookie = std::string())
{
    return Exchange(port, "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                              "\r\nAccept: */*\r\n" + (cookie.empty() ? "" : "Cookie: " + cookie + "\r\n") +
                              "Connection: close\r\n\r\n");
}

// The body of a reply (the server answers with a length, never in chunks).
std::string Body(const std::string& reply)
{
    const size_t end = reply.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : reply.substr(end + 4);
}

std::string PostBody(int port, const std::string& target, const std::string& cookie, const std::string& form)
{
    return Body(Exchange(port, "POST " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                                   "\r\nCookie: " + cookie +
                                   "\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                                   std::to_string(form.size()) + "\r\nConnection: close\r\n\r\n" + form));
}

// Classes of their own, folders three deep, documents with bytes, a linked one and a
// record without bytes.
bool MakeTreeStore(const std::string& path)
{
    CPdmStore store;
    int32_t a = 0, b = 0, part = 0, doc = 0;
    const bool ok = store.Open(path, CPdmStore::CreateIfMissing) && store.AddNodeClass(30, u8"部件") &&
                    store.AddDocClass(102, u8"图纸") && store.AllowDocClass(30, 102) &&
                    store.AllowDocClass(21, 102) &&
                    store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, u8"总体", a) &&
                    store.AddNode(PDM_FOLDER_CLASS, a, PDM_FOLDER_CLASS, "B 'quoted' %s", b) &&
                    store.AddNode(PDM_FOLDER_CLASS, b, 30, u8"底座", part) &&
                    store.PutDocument(PDM_FOLDER_CLASS, a, PDM_DEFAULT_DOC_CLASS, u8"说明.txt", u8"文档内容\n", "",
                                      13, "2004-03-01 08:00:00", doc) &&
                    store.PutDocument(30, part, 102, "base.dwg", "", "/srv/drawings/base.dwg", 52000,
                                      "2004-03-02 09:30:00", doc) &&
                    store.AddDocument(PDM_FOLDER_CLASS, b, 102, "empty.dwg", doc) &&
                    store.AddDocument(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_DEFAULT_DOC_CLASS, "top.doc", doc);
    if (!ok)
        std::fprintf(stderr, "the store seed: %s\n", store.LastError().c_str());
    return ok;
}

// Logs a user of its own in to the project server; the session's Cookie header value, ""
// when the login failed.
std::string LogIn(projectserver::CProjectServer& server)
{
    if (!server.AddUser("seeds", "seeds", "Seeds"))
        return std::string();
    CSoapProjectService* client = new CSoapProjectService;
    CProjectServicePtr holder(client);
    client->SetServiceUrl(CString(server.ServiceUrl().c_str()));
    CString reply;
    if (client->Login("seeds", "seeds", reply) != S_OK || reply.IsEmpty())
        return std::string();
    return serversession::CookieFor(client->GetEndpoint());
}

}  // namespace

void ServerSeeds(const std::string& storedProjectXml, const std::string& newProjectXml)
{
    CLoopbackProjectServer server;
    if (!server.Start()) {
        std::fprintf(stderr, "the loopback project server does not start\n");
        return;
    }
    // The user's own projects: it may see, change and save them.
    if (!server.LogIn("R1")) {
        std::fprintf(stderr, "the loopback project server does not log in\n");
        return;
    }
    const LONG id = server.AddOwnProject(CString(storedProjectXml.c_str()));
    server.AddOwnProject(CString(storedProjectXml.c_str()));
    CSoapProjectService* client = new CSoapProjectService;
    client->SetTimeouts(5000, 10000);
    CProjectServicePtr holder(client);
    IProjectService& service = *client;
    service.SetServiceUrl(server.ServiceUrl());
    service.SetProjectStatus(id, 5);

    CString list;
    if (service.GetProjectList("R1", list) == S_OK)
        Put("ProjectListReply", "list.xml", Bytes(list));

    CString reply, opened;
    LONG result = -1;
    // A new project: its own id (row 0) and every task's.
    if (service.SaveProject(0, CString(newProjectXml.c_str()), reply, result) == S_OK)
        Put("SaveReply", "new-project.xml", Bytes(reply));
    // A stored project whose tasks all have ids: nothing to hand out. Opened first: the save
    // names the revision it starts from.
    if (service.GetProjectData(id, opened) == S_OK &&
        service.SaveProject(id, CString(storedProjectXml.c_str()), reply, result) == S_OK)
        Put("SaveReply", "no-new-task.xml", Bytes(reply));
    // Refused: the reply is the server's error text.
    if (service.SaveProject(id + 100, CString(storedProjectXml.c_str()), reply, result) == S_FALSE)
        Put("SaveReply", "refused.txt", Bytes(reply));

    // A user with no project of its own.
    if (server.LogIn("nobody") && service.GetProjectList("nobody", list) == S_OK)
        Put("ProjectListReply", "empty.xml", Bytes(list));
}

void ServerRequestSeeds(const std::string& storedProjectXml, const std::string& newProjectXml)
{
    const std::string dir = TempFolder();
    if (dir.empty())
        return;
    projectserver::ServerOptions options;
    options.databasePath = dir + "/server.db";
    options.demoData = false;
    options.threads = 2;
    projectserver::CProjectServer server(options);
    std::string error;
    // The user and the project the fuzz entry point starts from, made the same way, so that
    // the ids the requests name are the ones it has.
    if (!server.Start(error) || !server.AddUser("fuzz", "fuzz", "Fuzz")) {
        std::fprintf(stderr, "the project server does not start: %s\n", error.c_str());
        RemoveFolder(dir);
        return;
    }
    server.SetTestRecordRequests(true);
    {
        CSoapProjectService* client = new CSoapProjectService;
        CProjectServicePtr holder(client);
        IProjectService& service = *client;
        service.SetServiceUrl(CString(server.ServiceUrl().c_str()));
        CString reply, text;
        LONG id = -1, other = -1, result = -1;
        service.Login("fuzz", "fuzz", reply);
        service.NewProject("<PROJECT><ID>0</ID><NAME>fuzz</NAME><STATUS>0</STATUS><TASKS><TASK><TASKID>0</TASKID>"
                           "<NAME>a</NAME><ROWINGRID>1</ROWINGRID><FLAG>1</FLAG></TASK></TASKS></PROJECT>",
                           id);
        const CString number = std::to_string(id).c_str();
        service.GetProjectList("fuzz", text);
        service.GetProjectData(id, text);
        // The text as it was read, and with a new task after it; the client's own texts.
        service.SaveProject(id, text, reply, result);
        CString grown = text;
        const int end = grown.Find("</TASKS>");
        if (end >= 0)
            grown.Insert(end, "<TASK><TASKID>0</TASKID><NAME>b</NAME><ROWINGRID>2</ROWINGRID><FLAG>1</FLAG>"
                              "<LINKS><LINK><PREDID>1</PREDID><TYPE>0</TYPE><LAG>0</LAG></LINK></LINKS></TASK>");
        service.SaveProject(id, grown, reply, result);
        service.SaveProject(id, CString(storedProjectXml.c_str()), reply, result);
        service.SaveProject(0, CString(newProjectXml.c_str()), reply, result);
        service.NewTask(0, -1,
                        "<TASK><ENTIREPROJID>" + number + "</ENTIREPROJID><TASKID>0</TASKID><NAME>c</NAME>"
                        "<ROWINGRID>3</ROWINGRID><FLAG>1</FLAG></TASK>",
                        other);
        service.SetProjectStatus(id, 1);
        service.SaveCalendar(id,
                             "<CALENDAR><CALID>7</CALID><CALNAME>\xC8\xD5\xC0\xFA</CALNAME><CALBASEID>-1</CALBASEID>"
                             "<RESCODE></RESCODE><CALDATA><CALDATE><FROMDATE>2004-5-1 0:0:0</FROMDATE>"
                             "<TODATE>2004-5-7 23:59:59</TODATE><WORKING>0</WORKING></CALDATE>"
                             "<CALDAY><DAY>3</DAY><WORKING>0</WORKING></CALDAY></CALDATA></CALENDAR>",
                             result);
        service.GetCalendar(id, text);
        service.SaveUsersPermission(id,
                                    "<PERMISSIONS><PERMISSION><RESCODE>fuzz</RESCODE><OPENPROJ>1</OPENPROJ>"
                                    "<PUBLISHPROJ>1</PUBLISHPROJ><DELETEPROJ>1</DELETEPROJ></PERMISSION>"
                                    "</PERMISSIONS>",
                                    result);
        service.GetUsersPermission(id, text);
        service.GetResources(text);
        service.NewProject("<PROJECT><ID>0</ID><NAME>gone</NAME></PROJECT>", other);
        service.DeleteProject(other, CString(), result);
    }
    int n = 0;
    for (const auto& request : server.TestRequests()) {
        if (request.method != "POST" || request.operation.empty())
            continue;
        const std::string name = request.operation + "-" + std::to_string(n++) + ".xml";
        Put("ServerRequest", name.c_str(), request.body);
    }
    server.Stop();
    RemoveFolder(dir);
}

void StoreSeeds()
{
    const std::string dir = TempFolder();
    if (dir.empty())
        return;
    std::string error;
    const std::string demo = dir + "/demo.sqlite";
    if (projectserver::MakeDemoPdmStore(demo, error))
        Put("PdmStore", "demo.sqlite", ReadFile(demo));

    const std::string fresh = dir + "/fresh.sqlite";
    {
        CPdmStore store;
        store.Open(fresh, CPdmStore::CreateIfMissing);
    }
    Put("PdmStore", "fresh.sqlite", ReadFile(fresh));

    const std::string tree = dir + "/tree.sqlite";
    MakeTreeStore(tree);
    Put("PdmStore", "tree.sqlite", ReadFile(tree));
    RemoveFolder(dir);
}

void PdmReplySeeds()
{
    const std::string dir = TempFolder();
    if (dir.empty())
        return;
    std::string error;
    MakeTreeStore(dir + "/pdm.sqlite");
    projectserver::ServerOptions options;
    options.databasePath = dir + "/server.db";
    options.pdmStorePath = dir + "/pdm.sqlite";
    options.demoData = false;
    options.threads = 2;
    projectserver::CProjectServer server(options);
    if (!server.Start(error)) {
        std::fprintf(stderr, "the project server does not start: %s\n", error.c_str());
        RemoveFolder(dir);
        return;
    }
    const int port = server.Port();
    const std::string cookie = LogIn(server);
    if (cookie.empty()) {
        std::fprintf(stderr, "the project server does not log in\n");
        server.Stop();
        RemoveFolder(dir);
        return;
    }
    auto get = [port, &cookie](const std::string& target) { return Body(Record(port, target, cookie)); };
    const std::string root = get("/pdm/Nodes.asp?ClassID=20&ObjectID=0");
    Put("PdmNodesReply", "root.xml", root);
    Put("PdmNodesReply", "below.xml", get("/pdm/Nodes.asp?ClassID=21&ObjectID=1"));
    Put("PdmNodesReply", "none.xml", get("/pdm/Nodes.asp?ClassID=21&ObjectID=99"));
    Put("PdmNodesReply", "bad-id.xml", get("/pdm/Nodes.asp?ClassID=x&ObjectID=0"));
    Put("PdmNodesReply", "cut.xml", root.substr(0, root.size() / 2));
    const std::string docs = get("/pdm/Documents.asp?ClassID=21&ObjectID=1");
    Put("PdmDocumentsReply", "folder.xml", docs);
    Put("PdmDocumentsReply", "root.xml", get("/pdm/Documents.asp?ClassID=20&ObjectID=0"));
    Put("PdmDocumentsReply", "part.xml", get("/pdm/Documents.asp?ClassID=30&ObjectID=1"));
    Put("PdmDocumentsReply", "cut.xml", docs.substr(0, docs.size() - 5));
    Put("PdmClassesReply", "folder.xml", get("/pdm/Classes.asp?NodeClassID=21"));
    Put("PdmClassesReply", "part.xml", get("/pdm/Classes.asp?NodeClassID=30"));
    Put("PdmClassesReply", "none.xml", get("/pdm/Classes.asp?NodeClassID=77"));
    Put("PdmAddedReply", "store.xml", get("/pdm/Store.asp"));
    const std::string form = "ParentClassID=21&ParentObjectID=1&DocClassID=101&FileName=";
    Put("PdmAddedReply", "added.xml", PostBody(port, "/pdm/AddDocument.asp", cookie, form + "%E6%96%B0.doc"));
    Put("PdmAddedReply", "taken.xml", PostBody(port, "/pdm/AddDocument.asp", cookie, form + "%E6%96%B0.doc"));
    Put("PdmAddedReply", "separator.xml", PostBody(port, "/pdm/AddDocument.asp", cookie, form + "a%5Cb.doc"));
    server.Stop();
    RemoveFolder(dir);
}

void DownloadSeeds()
{
    const std::string dir = TempFolder();
    if (dir.empty())
        return;
    // The project server's own document download, over its demo store.
    {
        std::string error;
        const std::string store = dir + "/pdm.sqlite";
        projectserver::MakeDemoPdmStore(store, error);
        projectserver::ServerOptions options;
        options.databasePath = dir + "/server.db";
        options.pdmStorePath = store;
        options.threads = 2;
        projectserver::CProjectServer server(options);
        const std::string cookie = server.Start(error) ? LogIn(server) : std::string();
        if (!cookie.empty()) {
            const int port = server.Port();
            Put("HttpDownload", "pdm-document.http", Record(port, "/pdm/GetPdmFile.asp?ClassID=101&ObjectID=1", cookie));
            Put("HttpDownload", "pdm-unknown.http", Record(port, "/pdm/GetPdmFile.asp?ClassID=101&ObjectID=999", cookie));
            Put("HttpDownload", "pdm-bad-id.http", Record(port, "/pdm/GetPdmFile.asp?ClassID=x&ObjectID=1", cookie));
            // What a download without a session meets.
            Put("HttpDownload", "pdm-no-session.http", Record(port, "/pdm/GetPdmFile.asp?ClassID=101&ObjectID=1"));
            server.Stop();
        } else {
            std::fprintf(stderr, "the project server does not start: %s\n", error.c_str());
        }
    }
    // The file server of the download tests: chunked, a login, a redirect, a broken body.
    {
        CLoopbackHttpServer server;
        CLoopbackHttpServer::Reply chunked;
        chunked.body = std::string(3000, 'c');
        chunked.chunked = true;
        server.Serve("/chunked.doc", chunked);
        CLoopbackHttpServer::Reply login;
        login.body = "secret";
        login.user = "user";
        login.password = "pass";
        server.Serve("/login.doc", login);
        CLoopbackHttpServer::Reply moved;
        moved.status = 302;
        moved.location = "/chunked.doc";
        server.Serve("/moved.doc", moved);
        CLoopbackHttpServer::Reply broken;
        broken.body = std::string(5000, 'b');
        broken.breakAfter = 1000;
        server.Serve("/broken.doc", broken);
        if (server.Start()) {
            Put("HttpDownload", "chunked.http", Record(server.Port(), "/chunked.doc"));
            Put("HttpDownload", "login.http", Record(server.Port(), "/login.doc"));
            Put("HttpDownload", "moved.http", Record(server.Port(), "/moved.doc"));
            Put("HttpDownload", "broken.http", Record(server.Port(), "/broken.doc"));
            Put("HttpDownload", "not-found.http", Record(server.Port(), "/none.doc"));
            server.Stop();
        }
    }
    RemoveFolder(dir);
}

}  // namespace seeds
