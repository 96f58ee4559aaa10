# SPDX-License-Identifier: GPL-2.0-or-later
# The two commands of the README: `make run` and `make test`. Both install what is
# missing, configure and build first.

# DIR: the folder (or MP3 file) to open; empty opens the last work folder.
DIR ?=
JOBS ?= $(shell nproc)

.PHONY: run test deps build build-asan test-default test-asan package clean

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

run: build
	./build/bin/tunewright $(if $(DIR),"$(DIR)")

test-default: build
	ctest --preset default

test-asan: build-asan
	ctest --preset asan

# The whole suite, then the same suite (and short fuzz runs) under the sanitizers.
test: test-default test-asan

# The Debian package, from a Release build as a packager makes it (no preset, so warnings
# are not errors; Debian's hardening flags from dpkg-buildflags):
# build-release/tunewright_<version>_<arch>.deb. Only what it holds is built.
package: deps
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build build-release -j $(JOBS) --target tunewright tunewright-cli tw_icons tw_docs tw_man_pages
	@cd build-release && cpack -G DEB

clean:
	rm -rf build build-asan build-release
