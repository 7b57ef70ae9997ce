# make play  - install what is missing, build, and start the game from its run directory
# make test  - install what is missing, build, and run every test (plain, sanitized, and the
#              Windows build under wine)
# make package - install what is missing, build, and make the Debian package in build/package/
# make windows - cross-build the Windows game, its zip and its installer (build-windows/)
# make mutants - put each fault of tests/mutants.tsv into the game in turn and run the fast tests
#              (MUTANTS_ARGS="--every", "--only TEXT" or "--random 60 --every" pass options on)

JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
WINDOWS_BUILD ?= build-windows
# -noreset: an X server that resets when its last client leaves turns away
# whatever test connects in that moment.
XVFB = xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
export LIBGL_ALWAYS_SOFTWARE = 1
export SDL_AUDIODRIVER = dummy
export GLUMBO_MSGBOX = log

.PHONY: all deps build play package test test-plain test-asan test-fuzz windows test-windows mutants clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DGLUMBO_WERROR=ON >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

play: build
	cd $(BUILD)/run && ./glumbo3d

package: build
	cmake --build $(BUILD) --target package

test: deps test-plain test-asan test-fuzz test-windows

test-plain: build
	cd $(BUILD) && $(XVFB) ctest -j$(JOBS) --output-on-failure --timeout 600

# intercept_tls_get_addr=0: this compiler's leak checker takes a thread-local
# block of the GL driver that happens to start 16 bytes into a page for an old
# C library's block with a header, reads a made-up range from the words before
# it, and crashes at exit after a test has passed ("Tracer caught signal 11").
# Only the driver's threads keep such blocks; its leaks are suppressed anyway.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DGLUMBO_WERROR=ON -DGLUMBO_SANITIZE=ON -DGLUMBO_BENCH=OFF \
	  -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  $(XVFB) ctest -j$(JOBS) --output-on-failure --timeout 900 -LE long

test-fuzz: deps
	bash scripts/run-fuzzers.sh

# The Windows game takes its data and icon from the native build.
windows: build
	@bash scripts/install-windows-deps.sh
	JOBS=$(JOBS) bash scripts/build-windows.sh $(BUILD) $(WINDOWS_BUILD)

test-windows: windows
	$(XVFB) bash tests/windows/run-wine-tests.sh $(WINDOWS_BUILD) $(BUILD)

mutants: deps
	cmake -S . -B build-mutants -DGLUMBO_WERROR=ON -DGLUMBO_SHARED_GAME=ON -DGLUMBO_BENCH=OFF \
	  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 >/dev/null
	$(XVFB) python3 scripts/mutants.py --build build-mutants --jobs $(JOBS) $(MUTANTS_ARGS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-mutants build-fuzz $(WINDOWS_BUILD)
