# Tumblix: `make run` builds and starts the saver, `make test` builds everything and runs
# every test. Both first install whatever Debian packages are missing.

JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
BUILD    := build
ASAN     := build-asan
WINBUILD := build-win
FUZZ     := build-fuzz
DIST     := $(BUILD)/dist
WEBBUILD := build-web
PREFIX   ?= /usr/local
# xscreensaver's settings program reads settings files only from /usr/share/xscreensaver/config.
XSCREENSAVER_PREFIX ?= /usr

# Everything the builds and tests need, from Debian's archive. xscreensaver: the daemon the
# test of tumblix-xscreensaver runs; xscreensaver-gl: its GL display modes and GL visual helper.
# tumblix-idle builds on sd-bus (libsystemd-dev), the X screen-saver extension (libxss-dev) and
# KDE's idle protocol; its tests run mutter and KWin headless on a private bus (dbus), with
# gdbus (libglib2.0-bin), pgrep (procps) and stand-ins in Python (python3-dbus, python3-gi).
PACKAGES := cmake g++ make pkg-config libgtest-dev libbenchmark-dev \
            libx11-dev libxfixes-dev libxrandr-dev libxinerama-dev libgl-dev libgl1-mesa-dri \
            g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-x86-64 \
            wine wine64 xvfb xauth xdotool x11-apps x11-utils imagemagick icoutils strace time \
            xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils \
            git nsis zip unzip p7zip-full dpkg-dev lintian rpm rpmlint clang-format \
            xscreensaver xscreensaver-gl \
            libwayland-dev wayland-protocols libegl-dev libegl1 libegl-mesa0 \
            sway swaybg weston grim wtype \
            libsystemd-dev libxss-dev plasma-wayland-protocols mutter kwin-wayland dbus dbus-daemon \
            libglib2.0-bin python3-dbus python3-gi procps

# The web page's compiler and the browser its tests run in.
WEB_PACKAGES := emscripten chromium

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build asan windows run test format format-check demo install dist dist-check bench soak fuzz clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTUMBLIX_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

# The unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DTUMBLIX_WERROR=ON -DTUMBLIX_SANITIZE=ON -DTUMBLIX_HEADLESS_ONLY=ON
	cmake --build $(ASAN) -j $(JOBS)

windows: deps
	cmake -S . -B $(WINBUILD) -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
	cmake --build $(WINBUILD) -j $(JOBS)

# Every stage runs even when an earlier one failed, so a red run shows all that failed; the
# failed stages and tests are listed again at the end, and then make fails.
# The stages: the three builds, the style, the downloads and the web page with its test driver.
test: PACKAGES += $(WEB_PACKAGES)
test: deps
	@failed=""; \
	for stage in build asan format-check windows dist web web-driver; do \
	  $(MAKE) --no-print-directory $$stage || failed="$$failed $$stage"; \
	done; \
	for dir in $(ASAN) $(BUILD); do \
	  rm -f $$dir/Testing/Temporary/LastTestsFailed.log; \
	  (cd $$dir && ctest --output-on-failure -j $(JOBS)) || failed="$$failed tests-in-$$dir"; \
	done; \
	[ -z "$$failed" ] && exit 0; \
	echo "make test FAILED:$$failed"; \
	for dir in $(ASAN) $(BUILD); do \
	  [ ! -f $$dir/Testing/Temporary/LastTestsFailed.log ] || sed "s|^|  $$dir: test |" $$dir/Testing/Temporary/LastTestsFailed.log; \
	done; \
	exit 1

# The house style is clang-format's output (.clang-format): `make format` applies it to every
# C++ file, and `make test` fails on a file that differs from it.
CPP_FILES = find game autopilot saver platform tools scripts bench tests fuzz -name node_modules -prune \
            -o \( -name '*.cpp' -o -name '*.h' \) -print
format: deps
	$(CPP_FILES) | xargs clang-format -i

format-check:
	@$(CPP_FILES) | xargs clang-format --dry-run -Werror || \
	  { echo "make test: the files above are not formatted as .clang-format says; run 'make format'"; exit 1; }

# The saver in a window of the session: on Wayland when WAYLAND_DISPLAY is set (tumblix hands
# over to tumblix-wayland), else on $DISPLAY; without either, `make demo` shows it instead.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display (neither WAYLAND_DISPLAY nor DISPLAY is set); 'make demo' records the saver on a private Xvfb instead"; \
	  exit 1; \
	fi
	./$(BUILD)/tumblix

# A few seconds of the saver on a private Xvfb: screenshots and an animated GIF in build/demo/.
demo: build
	sh platform/x11/demo.sh $(BUILD)/tumblix $(BUILD)/demo

# The programs and their manual pages under $(PREFIX); the xscreensaver settings file under
# $(XSCREENSAVER_PREFIX), where xscreensaver's settings program looks for it.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX) --component program
	cmake --install $(BUILD) --prefix $(XSCREENSAVER_PREFIX) --component xscreensaver
	@echo "make install: tumblix.xml went to $(XSCREENSAVER_PREFIX)/share/xscreensaver/config; xscreensaver's settings read /usr/share/xscreensaver/config only"

# The downloads of a release, into $(DIST): the Windows zip and installer, the .deb, the RPM,
# the source archive and SHA256SUMS. See packaging/dist.sh.
dist: build windows
	sh packaging/dist.sh $(BUILD) $(WINBUILD) $(DIST)

# make dist twice from empty build folders; every download must come out byte for byte the same.
dist-check:
	rm -rf build-check-1 build-check-1-win build-check-2 build-check-2-win
	$(MAKE) --no-print-directory dist BUILD=build-check-1 WINBUILD=build-check-1-win
	$(MAKE) --no-print-directory dist BUILD=build-check-2 WINBUILD=build-check-2-win
	cd build-check-1/dist && for file in *; do \
	  cmp "$$file" "../../build-check-2/dist/$$file" || exit 1; echo "identical: $$file"; \
	done

# Whole-system benchmarks on a private Xvfb, side by side with a floor program and three
# xscreensaver-gl hacks, under Wine too, then the engine's: writes bench/RESULTS.md (about
# 20 minutes; BENCH_SECONDS and BENCH_RUNS shorten it). bench/run_bench.sh measures into a
# table of raw figures, bench/report.sh writes the report from it. The hacks'
# package is downloaded, never installed; these are the libraries its three programs need.
bench: PACKAGES += libglu1-mesa libxt6 libxft2 libegl1
bench: build windows
	bash bench/run_bench.sh $(BUILD) $(WINBUILD) $(BUILD)/bench-figures.tsv
	bash bench/report.sh $(BUILD)/bench-figures.tsv bench/RESULTS.md

# The long forms of the endurance and soak tests (about 35 minutes); see tests/soak/run_soak.sh.
soak: build windows
	sh tests/soak/run_soak.sh $(BUILD) $(WINBUILD)

# Each libFuzzer target for FUZZ_SECONDS under ASan and UBSan; needs clang, so only here.
FUZZ_SECONDS ?= 60
fuzz: PACKAGES += clang libclang-rt-14-dev
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUMBLIX_HEADLESS_ONLY=ON
	cmake --build $(FUZZ) -j $(JOBS) --target fuzz-targets
	fuzz/run_fuzzers.sh $(FUZZ) $(FUZZ_SECONDS)

# The saver as a web page (build-web/: index.html, tumblix.js, tumblix.wasm), by Debian's
# Emscripten through CMake (cmake/emscripten.cmake). Its tests in make test run in Debian's
# headless Chromium, driven by the npm package locked in tests/web/package-lock.json.
# The old page goes first: a build that fails leaves none, so its tests fail instead of
# testing an older one.
WEB_DRIVER := tests/web/node_modules/.package-lock.json
web: PACKAGES += $(WEB_PACKAGES)
web: deps
	cmake -S . -B $(WEBBUILD) -DCMAKE_BUILD_TYPE=Release -DTUMBLIX_WERROR=ON -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake
	rm -f $(WEBBUILD)/index.html $(WEBBUILD)/tumblix.js $(WEBBUILD)/tumblix.wasm
	cmake --build $(WEBBUILD) -j $(JOBS)

web-driver: $(WEB_DRIVER)
$(WEB_DRIVER): tests/web/package-lock.json
	@command -v npm >/dev/null 2>&1 || { $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends npm; }
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error

bench: PACKAGES += $(WEB_PACKAGES)
bench: web web-driver
.PHONY: web web-driver

clean:
	rm -rf $(BUILD) $(ASAN) $(WINBUILD) $(FUZZ) $(WEBBUILD) build-check-*
