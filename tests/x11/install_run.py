#!/usr/bin/python3
"""The program as a user runs it once installed.

`cmake --install` puts it into a temporary prefix whose bin folder is then made read-only, and it
runs from there for a user who cannot write to that folder (as root, the test runs it as "nobody":
root writes anywhere). Its window shows; Exit from its menu writes settings.ini into the user's
$XDG_CONFIG_HOME/dialtop/, a folder it has to create, and nothing beside the program. Its window
class is the one its menu entry names, so that a desktop shows the running clock as its launcher.

Run by ctest inside a private X session (run-in-xsession).
"""

import os
import pwd
import re
import shutil
import subprocess
import tempfile
import unittest

import x11lib

TIME_LABEL = (41, 14)  # a point on the time label, window coordinates


class InstalledProgram(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="dialtop-install-")
        self.addCleanup(self.remove_root)
        prefix = os.path.join(self.root, "usr")
        x11lib.tool("cmake", "--install", os.environ["DIALTOP_BUILD_TREE"], "--prefix", prefix,
                    timeout=60)
        self.bin = os.path.join(prefix, "bin")
        self.program = os.path.join(self.bin, "dialtop")
        os.chmod(self.bin, 0o555)

        # The user's own folders; the configuration folder itself does not exist yet.
        user = pwd.getpwnam("nobody") if os.geteuid() == 0 else pwd.getpwuid(os.geteuid())
        self.user = user
        os.chmod(self.root, 0o755)
        home = os.path.join(self.root, "home")
        runtime = os.path.join(self.root, "runtime")
        for folder in (home, runtime):
            os.mkdir(folder, 0o700)
            os.chown(folder, user.pw_uid, user.pw_gid)
        self.config = os.path.join(home, "config")
        self.env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=self.config,
                        XDG_RUNTIME_DIR=runtime, QT_LOGGING_RULES=x11lib.MESSAGES_LOGGING_RULE)

    def remove_root(self):
        os.chmod(self.bin, 0o755)
        shutil.rmtree(self.root, ignore_errors=True)

    def start(self) -> subprocess.Popen:
        as_user = {}
        if os.geteuid() == 0:
            as_user = dict(user=self.user.pw_uid, group=self.user.pw_gid, extra_groups=[])
        self.stderr_path = os.path.join(self.root, "stderr.txt")
        with open(self.stderr_path, "wb") as err:
            process = subprocess.Popen([self.program], cwd=self.env["HOME"], env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                       stderr=err, **as_user)
        self.addCleanup(self.stop, process)
        return process

    @staticmethod
    def stop(process: subprocess.Popen):
        if process.poll() is None:
            process.kill()
            process.wait()

    def stderr(self) -> str:
        with open(self.stderr_path, encoding="utf-8", errors="replace") as file:
            return file.read()

    def test_settings_go_to_the_users_folder(self):
        clock = self.start()
        try:
            wid = x11lib.wait_for_window("Dialtop", pid=clock.pid)
        except x11lib.X11Error:
            self.fail(f"the installed program shows no window; stderr:\n{self.stderr()}")

        entry = os.path.join(self.bin, "..", "share", "applications", "dialtop.desktop")
        with open(entry, encoding="utf-8") as file:
            named = re.search(r"^StartupWMClass=(.*)$", file.read(), re.MULTILINE)
        self.assertIsNotNone(named, "the menu entry names no window class")
        # WM_CLASS(STRING) = "instance", "class"
        window_class = x11lib.xprop(wid, "WM_CLASS").split(",")[-1].strip().strip('"')
        self.assertEqual(named.group(1), window_class, "the menu entry's window class")

        geometry = x11lib.window_geometry(wid)
        before = x11lib.popup_windows()
        x11lib.click(geometry.x + TIME_LABEL[0], geometry.y + TIME_LABEL[1], button=3)
        opened = x11lib.eventually(lambda: x11lib.popup_windows() - before, timeout=5)
        self.assertTrue(opened, "no menu after a right click on the clock")
        x11lib.key("Up", "Return")  # Exit: the last item
        try:
            code = clock.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.fail(f"the program still runs 10 s after Exit; stderr:\n{self.stderr()}")
        self.assertEqual(code, 0, f"exit code; stderr:\n{self.stderr()}")

        settings = os.path.join(self.config, "dialtop", "settings.ini")
        self.assertTrue(os.path.isfile(settings),
                        f"no {settings} after Exit; stderr:\n{self.stderr()}")
        self.assertEqual(os.stat(settings).st_uid, self.user.pw_uid, "settings.ini's owner")
        with open(settings, encoding="utf-8", errors="replace") as file:
            self.assertIn("[timedif]", file.read().lower(), "settings.ini has no [timedif] section")
        self.assertEqual(os.listdir(self.bin), ["dialtop"], "files written beside the program")


if __name__ == "__main__":
    unittest.main(verbosity=2)
