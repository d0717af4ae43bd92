#!/usr/bin/python3
"""A folder that stops answering, as a share whose server went away: a FUSE
file system that passes every call through to a backing folder, except the
calls named in the hold file, which wait while their name is in it.

Usage: blocking-folder.py BACKING MOUNTPOINT HOLD_FILE
Hold names are FUSE operations: getattr (every lookup), create, write,
fsync, rename, unlink, ... Runs in the foreground until unmounted.
"""

import errno
import os
import sys
import time

try:
    from fusepy import FUSE, FuseOSError, Operations
except ImportError:
    from fuse import FUSE, FuseOSError, Operations

POLL_SECONDS = 0.05


class BlockingFolder(Operations):
    def __init__(self, backing, hold_file):
        self.backing = backing
        self.hold_file = hold_file

    def held(self, op):
        try:
            with open(self.hold_file) as f:
                return op in f.read().split()
        except FileNotFoundError:
            return False

    def __call__(self, op, *args):
        while self.held(op):
            time.sleep(POLL_SECONDS)
        if not hasattr(self, op):
            raise FuseOSError(errno.ENOSYS)
        try:
            return getattr(self, op)(*args)
        except OSError as e:
            raise FuseOSError(e.errno)

    def real(self, path):
        return os.path.join(self.backing, path.lstrip('/'))

    def getattr(self, path, fh=None):
        st = os.lstat(self.real(path))
        return {k: getattr(st, k) for k in ('st_mode', 'st_nlink', 'st_uid', 'st_gid', 'st_size',
                                             'st_atime', 'st_mtime', 'st_ctime')}

    def readdir(self, path, fh):
        return ['.', '..'] + os.listdir(self.real(path))

    def create(self, path, mode, fi=None):
        return os.open(self.real(path), os.O_WRONLY | os.O_CREAT | os.O_EXCL, mode)

    def open(self, path, flags):
        return os.open(self.real(path), flags)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def write(self, path, data, offset, fh):
        return os.pwrite(fh, data, offset)

    def truncate(self, path, length, fh=None):
        os.truncate(self.real(path), length)

    def fsync(self, path, datasync, fh):
        os.fsync(fh)

    def release(self, path, fh):
        os.close(fh)

    def rename(self, old, new):
        os.rename(self.real(old), self.real(new))

    def unlink(self, path):
        os.unlink(self.real(path))

    def mkdir(self, path, mode):
        os.mkdir(self.real(path), mode)

    def rmdir(self, path):
        os.rmdir(self.real(path))

    def chmod(self, path, mode):
        os.chmod(self.real(path), mode)

    def utimens(self, path, times=None):
        os.utime(self.real(path), times)

    def statfs(self, path):
        st = os.statvfs(self.real(path))
        return {k: getattr(st, k) for k in ('f_bsize', 'f_frsize', 'f_blocks', 'f_bfree', 'f_bavail',
                                             'f_files', 'f_ffree', 'f_namemax')}


if __name__ == '__main__':
    backing, mountpoint, hold_file = sys.argv[1:4]
    FUSE(BlockingFolder(os.path.abspath(backing), os.path.abspath(hold_file)), mountpoint, foreground=True,
         nothreads=False, allow_other=True)
