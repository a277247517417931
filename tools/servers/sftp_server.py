#!/usr/bin/python3
"""SFTP test server on 127.0.0.1 for the publishing tests, over one folder.

Prints "LISTENING <port> <host key fingerprint>" once it accepts connections. Renaming
onto an existing file fails, as plain SFTP (version 3) says. Runs until killed.
"""
import argparse
import base64
import hashlib
import os
import socket
import sys
import threading

import paramiko
from paramiko import SFTPAttributes, SFTPHandle, SFTPServer, SFTPServerInterface
from paramiko.sftp import SFTP_FAILURE, SFTP_NO_SUCH_FILE, SFTP_OK


class Server(paramiko.ServerInterface):
    def __init__(self, user, password):
        self.user, self.password = user, password

    def check_auth_password(self, username, password):
        if username == self.user and password == self.password:
            return paramiko.AUTH_SUCCESSFUL
        return paramiko.AUTH_FAILED

    def get_allowed_auths(self, username):
        return "password"

    def check_channel_request(self, kind, chanid):
        return paramiko.OPEN_SUCCEEDED if kind == "session" else paramiko.OPEN_FAILED_ADMINISTRATIVELY_PROHIBITED


class Handle(SFTPHandle):
    def stat(self):
        try:
            return SFTPAttributes.from_stat(os.fstat(self.readfile.fileno()))
        except OSError as e:
            return SFTPServer.convert_errno(e.errno)


class Folder(SFTPServerInterface):
    ROOT = "/"

    def _real(self, path):
        path = os.path.normpath("/" + path).lstrip("/")
        return os.path.join(self.ROOT, path)

    def _err(self, e):
        return SFTPServer.convert_errno(e.errno)

    def canonicalize(self, path):
        return os.path.normpath("/" + path) if path not in ("", ".") else "/"

    def list_folder(self, path):
        try:
            out = []
            for name in os.listdir(self._real(path)):
                attr = SFTPAttributes.from_stat(os.stat(os.path.join(self._real(path), name)))
                attr.filename = name
                out.append(attr)
            return out
        except OSError as e:
            return self._err(e)

    def stat(self, path):
        try:
            return SFTPAttributes.from_stat(os.stat(self._real(path)))
        except OSError as e:
            return self._err(e)

    lstat = stat

    def open(self, path, flags, attr):
        real = self._real(path)
        try:
            fd = os.open(real, flags | getattr(os, "O_BINARY", 0), 0o644)
        except OSError as e:
            return self._err(e)
        mode = "rb"
        if flags & os.O_WRONLY:
            mode = "ab" if flags & os.O_APPEND else "wb"
        elif flags & os.O_RDWR:
            mode = "a+b" if flags & os.O_APPEND else "r+b"
        f = os.fdopen(fd, mode)
        h = Handle(flags)
        h.filename = real
        h.readfile = f
        h.writefile = f
        return h

    def remove(self, path):
        try:
            os.remove(self._real(path))
        except OSError as e:
            return self._err(e)
        return SFTP_OK

    def rename(self, old, new):
        if os.path.exists(self._real(new)):
            return SFTP_FAILURE
        try:
            os.rename(self._real(old), self._real(new))
        except OSError as e:
            return self._err(e)
        return SFTP_OK

    def mkdir(self, path, attr):
        try:
            os.mkdir(self._real(path))
        except OSError as e:
            return self._err(e)
        return SFTP_OK

    def rmdir(self, path):
        try:
            os.rmdir(self._real(path))
        except OSError as e:
            return self._err(e)
        return SFTP_OK

    def chattr(self, path, attr):
        return SFTP_OK


def serve(conn, key, user, password):
    t = paramiko.Transport(conn)
    t.add_server_key(key)
    t.set_subsystem_handler("sftp", SFTPServer, Folder)
    try:
        t.start_server(server=Server(user, password))
        chan = t.accept(30)
        while chan is not None and t.is_active():
            t.join(1)
    except Exception:
        pass
    finally:
        t.close()


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--user", default="user")
    p.add_argument("--password", default="secret")
    p.add_argument("--key", required=True, help="host key file, made when missing")
    a = p.parse_args()
    Folder.ROOT = os.path.abspath(a.root)
    if not os.path.exists(a.key):
        paramiko.RSAKey.generate(2048).write_private_key_file(a.key)
    key = paramiko.RSAKey(filename=a.key)
    fingerprint = "SHA256:" + base64.b64encode(hashlib.sha256(key.asbytes()).digest()).decode().rstrip("=")
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    sock.bind(("127.0.0.1", a.port))
    sock.listen(16)
    print("LISTENING %d %s" % (sock.getsockname()[1], fingerprint), flush=True)
    while True:
        conn, _ = sock.accept()
        threading.Thread(target=serve, args=(conn, key, a.user, a.password), daemon=True).start()


if __name__ == "__main__":
    sys.exit(main())
