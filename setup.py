"""Builds libOrvane.so and orvane-check with CMake and puts them inside the package `orvane`, which loads
and runs them through ctypes and a subprocess, so that the wheel suits any Python 3 on its platform.

The metadata is in pyproject.toml; this file adds the build step and the wheel's platform tag."""

import os
import re
import shutil
import subprocess
from pathlib import Path

from setuptools import Distribution, setup
from setuptools.command.build_py import build_py
from wheel.bdist_wheel import bdist_wheel

ROOT = Path(__file__).resolve().parent
BUILT = ("libOrvane.so", "tools/orvane-check")  # within the CMake build tree


class BuildWithLibrary(build_py):
    def run(self) -> None:
        super().run()
        tree = Path(self.get_finalized_command("build").build_temp) / "cmake"
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(tree), *generator, "-DCMAKE_BUILD_TYPE=Release",
                        "-DORVANE_PYTHON_PACKAGE=ON", "-DORVANE_BUILD_TESTS=OFF", "-DORVANE_BUILD_BENCHMARKS=OFF",
                        "-DORVANE_INSTALL=OFF"], check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(tree), "--target", "Orvane", "orvane-check", "--parallel", jobs],
                       check=True)
        for built in BUILT:
            shutil.copy2(tree / built, Path(self.build_lib) / "orvane")


class WithBinaries(Distribution):
    """Holds built files, so the package goes where platform-specific packages go."""

    def has_ext_modules(self) -> bool:
        return True


class PlatformWheel(bdist_wheel):
    """Tagged for the platform the binaries were built for, and for any Python 3 there: the package
    reaches them only through ctypes and a subprocess, never through Python's C interface."""

    def get_tag(self) -> tuple[str, str, str]:
        return "py3", "none", super().get_tag()[2]


version = re.search(r"project\(Orvane VERSION (\S+)", (ROOT / "CMakeLists.txt").read_text()).group(1)
setup(version=version, distclass=WithBinaries, cmdclass={"build_py": BuildWithLibrary, "bdist_wheel": PlatformWheel},
      # The CMake build trees are build/ and its kin: the package's goes beside them.
      options={"build": {"build_base": str(ROOT / "build-python")}})
