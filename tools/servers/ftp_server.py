#!/usr/bin/python3
"""FTP test server on 127.0.0.1 for the publishing tests: plain, explicit TLS or implicit TLS.

Prints "LISTENING <port>" once it accepts connections. Runs until killed.
"""
import argparse
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


class NoOverwriteFS(AbstractedFS):
    """Refuses to rename onto an existing file, as some servers do."""

    def rename(self, src, dst):
        if os.path.exists(dst):
            raise OSError(17, "File exists")
        os.rename(src, dst)


class EagerTLSDTPHandler(TLS_DTPHandler):
    """Lets a client make the data connection's handshake before it sends the transfer
    command (libcurl does); pyftpdlib would take the early traffic for a hang-up."""

    def readable(self):
        if self._ssl_accepting or self._ssl_want_read:
            return True
        if not self.receive and not self._initialized:
            return False
        return super().readable()

    def handle_read(self):
        # Records already decrypted by OpenSSL are invisible to select(): read them now, or
        # the end of an upload is lost when the client closes right after sending it.
        super().handle_read()
        while self.receive and not self._closed and self._ssl_established and self.socket.pending():
            super().handle_read()


class ImplicitTLSHandler(TLS_FTPHandler):
    def handle(self):
        self.secure_connection(self.ssl_context)
        super().handle()


def tls_context(cert, key):
    from OpenSSL import SSL

    ctx = SSL.Context(SSL.TLS_SERVER_METHOD)
    ctx.use_certificate_chain_file(cert)
    ctx.use_privatekey_file(key)
    # Clients offer to resume the control connection's session on the data connection;
    # pyftpdlib cannot resume, so the server always makes a full handshake.
    ctx.set_options(SSL.OP_NO_TICKET)
    ctx.set_session_cache_mode(SSL.SESS_CACHE_OFF)
    return ctx


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--user", default="user")
    p.add_argument("--password", default="secret")
    p.add_argument("--tls", choices=["none", "explicit", "implicit"], default="none")
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--no-overwrite-rename", action="store_true")
    p.add_argument("--read-limit", type=int, default=0, help="upload bytes per second")
    a = p.parse_args()

    auth = DummyAuthorizer()
    auth.add_user(a.user, a.password, a.root, perm="elradfmwMT")
    if a.tls == "none":
        handler = FTPHandler
    else:
        handler = ImplicitTLSHandler if a.tls == "implicit" else TLS_FTPHandler
        handler.certfile = a.cert
        handler.keyfile = a.key
        handler.ssl_context = tls_context(a.cert, a.key)
        handler.dtp_handler = EagerTLSDTPHandler
    handler.authorizer = auth
    handler.passive_ports = None
    handler.permit_foreign_addresses = False
    if a.no_overwrite_rename:
        handler.abstracted_fs = NoOverwriteFS
    if a.read_limit:
        dtp = ThrottledDTPHandler
        dtp.read_limit = a.read_limit
        handler.dtp_handler = dtp
    import logging
    logging.basicConfig(level=logging.WARNING)
    server = FTPServer(("127.0.0.1", a.port), handler)
    print("LISTENING %d" % server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
