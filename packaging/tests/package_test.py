#!/usr/bin/env python3
"""The Debian packages of a build, checked the way a user gets them.

    package_test.py --build BUILD --output DIR CHECK

CHECK:
  build     makes both packages from the build (cpack) into BUILD/packages, and checks
            what each holds: the programs, their private libraries and no test library
  client    the client extracted into a scratch root starts on a virtual X server with
            openbox and shows its main window, with no library of the build folder mapped
  server    the server extracted into a scratch root, started with the systemd unit's
            command line and the packaged settings file (its folders and port made the
            test's), answers a login and a project list on loopback and stops on SIGTERM
  metadata  the desktop entry, the metadata, the icons and the file type as installed
  lintian   lintian on both packages: an error fails
  apt       apt-get install --simulate of both packages resolves every dependency

The checks after build read the packages it made (ctest runs build first).
"""

import argparse
import glob
import http.client
import os
import re
import shlex
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "Trellan", "e2e"))
import desktop_e2e  # noqa: E402  (the virtual desktop of the program's own end-to-end tests)

CLIENT_LIBRARIES = sorted(["libClassLib.so", "libClassLibCore.so", "libDataAccess.so", "libInternet.so",
                           "libOrvesk.so", "libPdm.so", "libProjectService.so", "libQuenby.so", "libTavrin.so",
                           "libXmlDom.so"])
SERVER_LIBRARIES = sorted(["libClassLib.so", "libClassLibCore.so", "libDataAccess.so", "libInternet.so",
                           "libPdm.so", "libProjectServer.so"])
ENVELOPE = ('<?xml version="1.0" encoding="utf-8"?><soap:Envelope '
            'xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>%s</soap:Body></soap:Envelope>')
NS = "urn:orvesk:project-service"


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def run(args, **kw):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)


def arch():
    return run(["dpkg", "--print-architecture"]).stdout.strip()


def multiarch():
    return run(["dpkg-architecture", "-qDEB_HOST_MULTIARCH"]).stdout.strip()


def package_files(args):
    """The two packages of the build: (client, server)."""
    names = ("trellan_1.0.0_%s.deb" % arch(), "project-server_1.0.0_%s.deb" % arch())
    paths = [os.path.join(args.packages, n) for n in names]
    for p in paths:
        check(os.path.isfile(p), "no package %s (the build check makes it)" % p)
    return paths


def extract(debs):
    """A scratch root outside the build folder with the packages' files in it."""
    root = tempfile.mkdtemp(prefix="pkg-root-")
    for deb in debs:
        r = run(["dpkg-deb", "-x", deb, root])
        check(r.returncode == 0, "dpkg-deb -x %s: %s" % (deb, r.stdout))
    return root


def clean_env(root):
    env = {k: v for k, v in os.environ.items() if not k.startswith("LD_")}
    env["HOME"] = root
    return env


def check_maps(maps, build, private):
    """No file of the build folder is mapped, and the program's own libraries come from the
    scratch root's private folder."""
    files = {line.split(None, 5)[5] for line in maps.splitlines() if len(line.split(None, 5)) == 6}
    from_build = sorted(f for f in files if f.startswith(build + "/"))
    check(not from_build, "mapped from the build folder: %s" % from_build)
    ours = sorted(os.path.basename(f) for f in files if f.startswith(private + "/"))
    check(ours, "no library mapped from %s" % private)
    return ours


# ---- build -----------------------------------------------------------------------------------

def case_build(args):
    for old in glob.glob(os.path.join(args.packages, "*.deb")):
        os.remove(old)
    r = run(["cpack", "--config", os.path.join(args.build, "CPackConfig.cmake"), "-B", args.packages],
            cwd=args.build, timeout=200)
    check(r.returncode == 0, "cpack failed:\n" + r.stdout)
    client, server = package_files(args)
    check(sorted(glob.glob(os.path.join(args.packages, "*.deb"))) == sorted([client, server]),
          "other packages than the two: %s" % os.listdir(args.packages))

    def listing(deb):
        tar = subprocess.run(["dpkg-deb", "--fsys-tarfile", deb], stdout=subprocess.PIPE, check=True).stdout
        names = subprocess.run(["tar", "-t"], input=tar, stdout=subprocess.PIPE, check=True).stdout.decode()
        return [n[1:] for n in names.splitlines() if n.startswith("./") and not n.endswith("/")]

    ma = multiarch()
    files = listing(client)
    check(sorted(f for f in files if f.startswith("/usr/bin/")) == ["/usr/bin/Trellan"],
          "client programs: %s" % files)
    libs = sorted(os.path.basename(f) for f in files if f.startswith("/usr/lib/"))
    check(libs == CLIENT_LIBRARIES and all(f.startswith("/usr/lib/%s/project-client/" % ma)
                                           for f in files if f.startswith("/usr/lib/")),
          "client libraries: %s" % libs)
    check(not [f for f in files if not f.startswith("/usr/")], "client files outside /usr: %s" % files)
    files = listing(server)
    check(sorted(f for f in files if f.startswith("/usr/bin/")) == ["/usr/bin/pdm-store", "/usr/bin/project-server"],
          "server programs: %s" % files)
    libs = sorted(os.path.basename(f) for f in files if f.startswith("/usr/lib/"))
    check(libs == SERVER_LIBRARIES and all(f.startswith("/usr/lib/%s/project-server/" % ma)
                                           for f in files if f.startswith("/usr/lib/")),
          "server libraries: %s" % libs)
    check(sorted(f for f in files if not f.startswith("/usr/")) ==
          ["/etc/project-server/project-server.conf", "/lib/systemd/system/project-server.service"],
          "server files outside /usr: %s" % files)
    conffiles = run(["dpkg-deb", "--info", server, "conffiles"]).stdout
    check(conffiles == "/etc/project-server/project-server.conf\n", "server conffiles: %r" % conffiles)


# ---- client ----------------------------------------------------------------------------------

def case_client(args):
    client, _ = package_files(args)
    root = extract([client])
    workdir = tempfile.mkdtemp(prefix="pkg-client-")
    desktop = app = None
    try:
        program = os.path.join(root, "usr/bin/Trellan")
        desktop = desktop_e2e.Desktop(1280, 1024, workdir)
        desktop.env = {k: v for k, v in desktop.env.items() if not k.startswith("LD_")}
        app = desktop_e2e.Program(desktop, program, [], workdir)
        main = desktop_e2e.poll("the main window", lambda: next(
            (w for w, t in app.windows().items() if "Tessaly" in t), None), 30)
        check(main, "no main window")
        ours = check_maps(app.maps(), args.build, os.path.join(root, "usr/lib", multiarch(), "project-client"))
        check("libOrvesk.so" in ours and "libClassLib.so" in ours, "libraries of the scratch root: %s" % ours)
        print("the main window '%s' with %s" % (app.main_title(main), ", ".join(ours)))
    except desktop_e2e.Failure as f:
        raise Failure(str(f))
    finally:
        if app:
            app.close()
            with open(os.path.join(workdir, "program.log")) as f:
                log = f.read()
            if log:
                sys.stderr.write(log[-2000:])
        if desktop:
            desktop.close()
        shutil.rmtree(workdir, ignore_errors=True)
        shutil.rmtree(root, ignore_errors=True)


# ---- server ----------------------------------------------------------------------------------

def unit_command(root):
    """The unit's ExecStart, its program and settings file made the scratch root's."""
    with open(os.path.join(root, "lib/systemd/system/project-server.service")) as f:
        unit = f.read()
    for line in ("User=project-server", "StateDirectory=project-server", "WantedBy=multi-user.target"):
        check(re.search("^%s$" % re.escape(line), unit, re.M), "the unit has no %s" % line)
    start = re.search(r"^ExecStart=(.*)$", unit, re.M)
    check(start, "the unit has no ExecStart")
    argv = shlex.split(start.group(1))
    check(argv == ["/usr/bin/project-server", "--config", "/etc/project-server/project-server.conf"],
          "the unit's command line: %s" % argv)
    return argv


def post(port, operation, inner, cookie=None):
    conn = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    headers = {"SOAPAction": '"%s/%s"' % (NS, operation), "Content-Type": "text/xml; charset=utf-8"}
    if cookie:
        headers["Cookie"] = cookie
    conn.request("POST", "/team/WebService/OrveskService", (ENVELOPE % inner).encode("utf-8"), headers)
    res = conn.getresponse()
    body = res.read().decode("utf-8")
    conn.close()
    return res.status, res.getheader("Set-Cookie"), body


def case_server(args):
    _, server = package_files(args)
    root = extract([server])
    proc = None
    try:
        argv = unit_command(root)
        # The packaged settings, with the test's folders, a free port and a site of its own.
        with open(os.path.join(root, argv[2].lstrip("/"))) as f:
            settings = f.read()
        for line in ("address = 127.0.0.1", "port = 8080", "site = site",
                     "database = /var/lib/project-server/projects.sqlite",
                     "pdm-store = /var/lib/project-server/pdm.sqlite"):
            check(re.search("^%s$" % re.escape(line), settings, re.M), "the settings file has no '%s'" % line)
        settings = settings.replace("/var/lib/project-server", os.path.join(root, "state"))
        settings = settings.replace("port = 8080", "port = 0").replace("site = site", "site = team")
        conf = os.path.join(root, "test.conf")
        with open(conf, "w") as f:
            f.write(settings)
        command = [os.path.join(root, argv[0].lstrip("/")), argv[1], conf]
        log_path = os.path.join(root, "server.log")
        log = open(log_path, "w")
        proc = subprocess.Popen(command, stdout=log, stderr=log, env=clean_env(root), cwd=root)

        def listening():
            with open(log_path) as f:
                m = re.search(r"^project-server: listening on 127\.0\.0\.1:(\d+)$", f.read(), re.M)
            check(proc.poll() is None, "the server ended: " + open(log_path).read())
            return int(m.group(1)) if m else None

        port = desktop_e2e.poll("the server to listen", listening, 30)
        with open("/proc/%d/maps" % proc.pid) as f:
            ours = check_maps(f.read(), args.build, os.path.join(root, "usr/lib", multiarch(), "project-server"))
        check("libProjectServer.so" in ours, "libraries of the scratch root: %s" % ours)
        print("the server on port %d with %s" % (port, ", ".join(ours)))
        with open(log_path) as f:
            text = f.read()
        check(" database %s/state/projects.sqlite\n" % root in text, "the settings' database is not used:\n" + text)

        status, set_cookie, body = post(port, "Login", '<Login xmlns="%s"><userCode>demo</userCode>'
                                        '<password>5b50686204</password></Login>' % NS)
        check(status == 200, "Login: HTTP %d %s" % (status, body))
        check(body == ENVELOPE % ('<LoginResponse xmlns="%s"><Reply>演示用户</Reply></LoginResponse>' % NS),
              "Login answered " + body)
        cookie = None
        if set_cookie:
            m = re.search(r"PCSESSION=([^;]*)", set_cookie)
            if m:
                cookie = "PCSESSION=" + m.group(1)
        status, _, body = post(port, "GetProjectList", '<GetProjectList xmlns="%s"><userCode>demo</userCode>'
                               '</GetProjectList>' % NS, cookie)
        check(status == 200, "GetProjectList: HTTP %d %s" % (status, body))
        check(body.startswith(ENVELOPE.split("%s")[0] + '<GetProjectListResponse xmlns="%s"><Result>0</Result>'
                              '<ProjectList>&lt;PROJECTS&gt;&lt;PROJ&gt;&lt;ID&gt;101&lt;/ID&gt;&lt;NAME&gt;'
                              '项目管理系统开发（演示）&lt;/NAME&gt;' % NS),
              "the demo project is not listed: " + body)

        proc.send_signal(signal.SIGTERM)
        try:
            rc = proc.wait(30)
        except subprocess.TimeoutExpired:
            raise Failure("the server did not stop on SIGTERM")
        check(rc == 0, "the server stopped with exit code %d" % rc)
        with open(log_path) as f:
            check(f.read().endswith("project-server: stopping\n"), "no stop in the server's output")
        proc = None
    finally:
        if proc and proc.poll() is None:
            proc.kill()
            proc.wait()
        shutil.rmtree(root, ignore_errors=True)


# ---- metadata --------------------------------------------------------------------------------

def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n", path + " is not a PNG")
    return struct.unpack(">II", head[16:24])


def case_metadata(args):
    client, _ = package_files(args)
    root = extract([client])
    try:
        share = os.path.join(root, "usr/share")
        entry = os.path.join(share, "applications/trellan.desktop")
        r = run(["desktop-file-validate", entry])
        check(r.returncode == 0 and not r.stdout.strip(), "desktop-file-validate: " + r.stdout)
        with open(entry, encoding="utf-8") as f:
            text = f.read()
        for line in ("Exec=Trellan %f", "Icon=trellan", "MimeType=application/x-trellan-project;", "Name=Tessaly"):
            check(re.search("^%s$" % re.escape(line), text, re.M), "the desktop entry has no '%s'" % line)
        metainfo = glob.glob(os.path.join(share, "metainfo/*.metainfo.xml"))
        check(len(metainfo) == 1, "metadata files: %s" % metainfo)
        r = run(["appstreamcli", "validate", "--no-net", metainfo[0]])
        check(r.returncode == 0, "appstreamcli validate: " + r.stdout)
        r = run(["appstreamcli", "validate-tree", "--no-net", root])
        check(r.returncode == 0, "appstreamcli validate-tree: " + r.stdout)
        icons = os.path.join(share, "icons/hicolor")
        check(os.path.isfile(os.path.join(icons, "scalable/apps/trellan.svg")), "no scalable icon")
        for size in (16, 22, 24, 32, 48, 64, 128, 256):
            png = os.path.join(icons, "%dx%d/apps/trellan.png" % (size, size))
            check(os.path.isfile(png), "no %dx%d icon" % (size, size))
            check(png_size(png) == (size, size), "%s is %dx%d" % ((png,) + png_size(png)))
        # What the package's postinst makes of the file type and the entry.
        r = run(["update-mime-database", os.path.join(share, "mime")])
        check(r.returncode == 0, "update-mime-database: " + r.stdout)
        with open(os.path.join(share, "mime/globs2")) as f:
            check("application/x-trellan-project:*.tlp" in f.read(), "no *.tlp glob in the MIME database")
        r = run(["update-desktop-database", os.path.join(share, "applications")])
        check(r.returncode == 0, "update-desktop-database: " + r.stdout)
        with open(os.path.join(share, "applications/mimeinfo.cache")) as f:
            check("\napplication/x-trellan-project=trellan.desktop;\n" in f.read(),
                  "the desktop database does not open *.tlp files with the program")
    finally:
        shutil.rmtree(root, ignore_errors=True)


# ---- lintian and apt -------------------------------------------------------------------------

def case_lintian(args):
    debs = package_files(args)
    r = run(["lintian", "--fail-on", "error", "--no-tag-display-limit", "--display-info"] + debs, timeout=200)
    sys.stdout.write(r.stdout)
    check(r.returncode == 0, "lintian reports errors")
    check(not re.search(r"^E: ", r.stdout, re.M), "lintian reports errors")


def case_apt(args):
    debs = package_files(args)
    r = run(["apt-get", "install", "--simulate", "--no-install-recommends"] + debs, timeout=200)
    check(r.returncode == 0, "apt-get could not resolve the packages' dependencies:\n" + r.stdout)
    for name in ("trellan", "project-server"):
        check(re.search(r"^Inst %s " % name, r.stdout, re.M) or re.search(r"^%s is already" % name, r.stdout, re.M),
              "apt-get would not install %s:\n%s" % (name, r.stdout))


CASES = {"build": case_build, "client": case_client, "server": case_server, "metadata": case_metadata,
         "lintian": case_lintian, "apt": case_apt}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("case", choices=sorted(CASES))
    args = parser.parse_args()
    args.build = os.path.realpath(args.build)
    args.packages = os.path.join(args.build, "packages")
    os.makedirs(args.output, exist_ok=True)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    started = time.monotonic()
    try:
        CASES[args.case](args)
    except Failure as failure:
        print("FAILED (%s): %s" % (args.case, failure), file=sys.stderr)
        return 1
    print("%s passed in %.1f s" % (args.case, time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
