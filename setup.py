"""Builds the Python package vrk5420 from this source tree with CMake, for `pip install .`.

setuptools drives CMake: the extension and the library are built by the project's own CMake files, and the
library is placed inside the package with the extension's RUNPATH pointing beside it, so an installed wheel
needs nothing outside the environment. CMake is given the interpreter that runs the build, so the extension fits
it (in a virtual environment made by /usr/bin/python3, Debian's). CMAKE_ARGS adds options to the configuration.
"""

import os
import re
import shlex
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = Path(__file__).resolve().parent


def project_version():
    text = (SOURCE / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r"project\(VRK5420CfgConverter VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    """Builds the extension target with CMake and installs the package's files where setuptools collects them."""

    def build_extension(self, ext):
        build = Path(self.build_temp).resolve() / "cmake"
        package_root = Path(self.get_ext_fullpath(ext.name)).resolve().parent.parent
        configure = [
            "-DCMAKE_BUILD_TYPE=Release",
            f"-DPython_EXECUTABLE={sys.executable}",
            "-DVRK_TESTS=OFF",
            "-DVRK_PYTHON_INSTALL_DIR=.",
            "-DVRK_PYTHON_BUNDLE_LIBRARY=ON",
        ]
        ccache = shutil.which("ccache")
        if ccache:
            configure += [f"-DCMAKE_CXX_COMPILER_LAUNCHER={ccache}", f"-DCMAKE_C_COMPILER_LAUNCHER={ccache}"]
        configure += shlex.split(os.environ.get("CMAKE_ARGS", ""))
        jobs = str(os.cpu_count() or 1)
        subprocess.run(["cmake", "-S", str(SOURCE), "-B", str(build), *configure], check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "vrk5420_native", "-j", jobs], check=True)
        subprocess.run(["cmake", "--install", str(build), "--component", "python", "--prefix", str(package_root)],
                       check=True)


setup(
    version=project_version(),
    ext_modules=[Extension("vrk5420._native", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    # Beside the project's CMake build folders, not in build/, which `make` uses.
    options={"build": {"build_base": "build-python"}},
)
