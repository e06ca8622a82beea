// The browser page in headless Chromium: node page_test.js CHECK FOLDER, where CHECK is one of
// load, render, bad-input, resize and full-screen, and FOLDER holds index.html, tumblix.js and
// tumblix.wasm (screenshot.png is left there). Prints ok or FAIL for each check; ends with
// status 1 when any failed.
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const { serve, launch, setHidden } = require('./browser');

const [check, folder] = process.argv.slice(2);
const WIDTH = 800;   // pixels: a cell is 36 wide
const HEIGHT = 600;  // pixels: a cell is 30 high
const EMULATION_NOTES = [  // Emscripten's GL emulation prints these at every start
  'using emscripten GL emulation. This is a collection of limited workarounds, do not expect it to work.',
  'using emscripten GL emulation unsafe opts. If weirdness happens, try -s GL_UNSAFE_OPTS=0',
  'using emscripten GL immediate mode emulation. This is very limited in what it supports',
].map(text => `warning: WARNING: ${text}`);
// The build's numbers (scripts/numbers.cpp), MOUSE_JITTER_PX among them.
const NUMBERS = process.env.TUMBLIX_NUMBERS;
let failures = 0;

function expect(ok, description) {
  console.log(`${ok ? 'ok' : 'FAIL'}: ${description}`);
  failures += ok ? 0 : 1;
}

async function open(browser, origin, setUp, ratio = 1) {
  const page = await browser.newPage({ viewport: { width: WIDTH, height: HEIGHT }, deviceScaleFactor: ratio });
  const log = { messages: [], errors: [], paths: new Set() };
  page.on('console', message => log.messages.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', error => log.errors.push(error.message));
  page.on('request', request => log.paths.add(new URL(request.url()).pathname));
  if (setUp) await setUp(page);
  await page.goto(origin);
  return { page, log };
}

// Everything the page logged that is neither a note of the GL emulation nor a page error.
function expectQuiet(log, during) {
  const noise = log.messages.filter(m => /^(error|warning)/.test(m) && !EMULATION_NOTES.includes(m));
  expect(noise.length + log.errors.length === 0, `no console error or page error ${during}: ${noise} ${log.errors}`);
}

// passes(promise): whether a wait of Playwright's ended before its timeout.
const passes = promise => promise.then(() => true, () => false);
const started = page => page.waitForFunction(() => Module.calledRun && Module._TumblixFrames() > 0, null, { polling: 50 });
const frames = page => page.evaluate(() => (Module.calledRun ? Module._TumblixFrames() : 0));

// The share of a screenshot's pixels that are not black, read by ImageMagick.
function litFraction(png) {
  const rgb = execFileSync('convert', ['png:-', '-depth', '8', 'rgb:-'], { input: png, maxBuffer: 1 << 24 });
  let lit = 0;
  for (let i = 0; i < rgb.length; i += 3) lit += rgb[i] + rgb[i + 1] + rgb[i + 2] > 0;
  return lit / (rgb.length / 3);
}

async function checkLoad(browser, origin) {
  const { page, log } = await open(browser, origin);
  await started(page);
  const shots = [await page.screenshot({ path: path.join(folder, 'screenshot.png') })];
  await page.waitForTimeout(1000);
  shots.push(await page.screenshot());
  const lit = shots.map(litFraction);
  const stored = await page.evaluate(() => document.cookie.length + localStorage.length + sessionStorage.length);
  expectQuiet(log, 'at load');
  expect([...log.paths].sort().join() === '/,/tumblix.js,/tumblix.wasm' && stored === 0,
    `requests only its three files (${[...log.paths]}), stores nothing`);
  // Edge-on about the diagonal the well shows almost nothing: in one shot of two at most.
  expect(Math.max(...lit) > 0.002 && Math.max(...lit) < 0.4, `lit fractions of the screenshots ${lit}`);
  expect(!shots[0].equals(shots[1]), 'two screenshots a second apart differ');
  // Hidden (as in a background tab) it draws no frame at all; shown again it goes on at once.
  await setHidden(page, true);
  const before = await frames(page);
  await page.waitForTimeout(500);
  const hiddenFrames = (await frames(page)) - before;
  await setHidden(page, false);
  const resumed = await passes(page.waitForFunction(n => Module._TumblixFrames() > n + 5, before,
    { timeout: 1000, polling: 50 }));
  expect(hiddenFrames === 0 && resumed, `hidden: ${hiddenFrames} frames in 0.5 s; shown again, drawing within a second: ${resumed}`);
}

// Injected into the page ahead of tumblix.js: fixes the clock that seeds the game and wraps
// setTimeout. Each timer message of the saver is a task of its own, so right after the task
// that drew a wanted frame its pixels are still in the drawing buffer and the game holds what
// that frame showed.
function watchFrames(wanted) {
  Date.now = () => 1700000000000;
  window.shots = {};
  const setTimeoutOfPage = window.setTimeout;
  const count = () => (window.Module && Module.calledRun ? Module._TumblixFrames() : 0);
  window.setTimeout = (callback, ms, ...rest) => setTimeoutOfPage(() => {
    const before = count();
    callback(...rest);
    const frame = count();
    if (frame === before || !wanted.includes(frame)) return;
    const { width, height } = Module.canvas;
    const gl = Module.canvas.getContext('webgl');
    const pixels = new Uint8Array(width * height * 4);
    gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
    let bytes = '';  // base64 crosses to node in a moment, an array of numbers in many seconds
    for (let i = 0; i < pixels.length; i += 0x8000) bytes += String.fromCharCode(...pixels.subarray(i, i + 0x8000));
    const cells = Array.from({ length: 220 }, (_, i) => Module._TumblixCell(Math.floor(i / 22), i % 22));
    shots[frame] = { pixels: btoa(bytes), cells };
  }, ms);
}

// The block colour of frame n: n steps of the drift from pure green in 32-bit floats, the
// decrement applied in double. Values (red, blue, green), sent as the red, green and blue channels.
function blockColour(n) {
  const value = [0, 1, 0];
  for (let i = 0, phase = 0; i < n; i++) {
    const [down, up] = [[1, 0], [0, 2], [2, 1]][phase];
    if (value[down] <= 0) phase = (phase + 1) % 3;
    else [value[down], value[up]] = [Math.fround(value[down] - 0.01), Math.fround(value[up] + Math.fround(0.01))];
  }
  return value;
}

// The colour at (u, v) of a cell from its left-low corner: the fan left-low, right-low,
// right-high, left-high, the vertex colours blended as given and clamped by the 8-bit buffer.
function cellColour(colour, u, v) {
  const corners = [colour, colour.map(c => c / 2), colour.map(c => c * 0.75), [1, 1, 1]];
  const weights = v <= u ? [1 - u, u - v, v, 0] : [1 - v, 0, u, v - u];
  return [0, 1, 2].map(k => Math.min(1, Math.max(0, weights.reduce((sum, w, i) => sum + w * corners[i][k], 0))));
}

// Pixel (x from the left, y from the bottom) of (u, v) in the cell at column c, display row d,
// and back: the cell spans x from 0.09 c - 0.47 and y from 0.95 - 0.1 d, up and right.
const pixelOf = (c, d, u, v) => [Math.floor((0.09 * (c + u) - 0.47 + 1) / 2 * WIDTH),
                                 Math.floor((0.95 - 0.1 * (d - v) + 1) / 2 * HEIGHT)];
const cellPoint = (c, d, x, y) => [(((x + 0.5) / WIDTH * 2 - 1) + 0.47) / 0.09 - c,
                                   (((y + 0.5) / HEIGHT * 2 - 1) - 0.95) / 0.1 + d];

// As tests/x11/render_test.cpp checks the native program's first frame: the cells the game
// holds in the vertex colours, the others black, and no other pixel lit.
function compareFrame(n, shot) {
  const pixels = Buffer.from(shot.pixels, 'base64');
  const colour = blockColour(n);
  const wrong = [];
  let shown = 0;
  let expected = 0;  // lit pixels
  for (let c = 0; c < 10; c++) {
    for (let d = 0; d < 20; d++) {
      const held = shot.cells[c * 22 + d + 2] !== 0;
      // Display row 0 reaches past the top edge: only its lower half is there.
      shown += held;
      expected += held ? 36 * (d === 0 ? 15 : 30) : 0;
      const points = d === 0 ? [[0.5, 0.25]] : [[0.5, 0.5]].concat(held ? [[0.06, 0.07], [0.94, 0.07], [0.94, 0.93], [0.06, 0.93]] : []);
      for (const [x, y] of points.map(([u, v]) => pixelOf(c, d, u, v))) {
        const want = held ? cellColour(colour, ...cellPoint(c, d, x, y)) : [0, 0, 0];
        const got = [0, 1, 2].map(k => pixels[(y * WIDTH + x) * 4 + k] / 255);
        if (want.some((w, k) => Math.abs(w - got[k]) > 3 / 255)) wrong.push(`${c},${d} at ${x},${y}: ${got} not ${want}`);
      }
    }
  }
  let lit = 0;
  for (let i = 0; i < pixels.length; i += 4) lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 0;
  expect(wrong.length === 0, `frame ${n}: the ${shown} cells the game holds in the vertex colours, the others black ${wrong}`);
  // Half a pixel of slack around each cell for the rasteriser's edge rule.
  expect(Math.abs(lit - expected) <= 5 * 36, `frame ${n}: ${lit} pixels lit, ${expected} expected`);
  return shown;
}

// Frame 1 and frame 361, the next one unturned (the spin is back at 0 degrees); on the way,
// the frame counter shows both timers running.
async function checkRender(browser, origin) {
  const { page, log } = await open(browser, origin, p => p.addInitScript(watchFrames, [1, 361]));
  await page.waitForFunction(() => window.shots[1], null, { polling: 50 });
  const start = await frames(page);
  await page.waitForTimeout(2000);
  const count = (await frames(page)) - start;
  expect(count >= 100 && count <= 200, `${count} frames in 2 s (75 a second: 25 gravity and 50 steering ticks)`);
  await page.waitForFunction(() => window.shots[361], null, { timeout: 30000, polling: 200 });
  const shots = await page.evaluate(() => window.shots);
  expect(log.errors.length === 0, `no page error ${log.errors}`);
  compareFrame(1, shots[1]);
  expect(compareFrame(361, shots[361]) >= 4, 'frame 361 shows at least a piece');
}

async function checkBadInput(browser, origin) {
  const truncated = fs.readFileSync(path.join(folder, 'tumblix.wasm')).subarray(0, 1000);
  const cases = {
    'a missing tumblix.wasm': p => p.route('**/tumblix.wasm', route => route.fulfill({ status: 404 })),
    'a damaged tumblix.wasm': p => p.route('**/tumblix.wasm', route => route.fulfill({ body: truncated })),
    'no WebGL': p => p.addInitScript(() => { HTMLCanvasElement.prototype.getContext = () => null; }),
  };
  for (const [name, setUp] of Object.entries(cases)) {
    const { page, log } = await open(browser, origin, setUp);
    await page.waitForSelector('p');
    const text = (await page.textContent('body')).trim();
    const errors = log.messages.filter(m => m.startsWith('error: ') && !m.startsWith('error: Failed to load resource: '));
    expect(/^Tumblix cannot run here: .{1,60}\.$/.test(text) && !(await page.$('canvas')), `${name}: "${text}"`);
    expect(errors.length === 1 && log.errors.length === 0, `${name}: one error logged ${errors}`);
  }
}

// The drawing buffer and the GL viewport follow the window in device pixels, at several
// sizes and at two device pixel ratios.
async function checkResize(browser, origin) {
  for (const ratio of [1, 2]) {
    const { page, log } = await open(browser, origin, null, ratio);
    await started(page);
    for (const [width, height] of [[640, 360], [1024, 768], [333, 501], [WIDTH, HEIGHT]]) {
      await page.setViewportSize({ width, height });
      const wanted = [width * ratio, height * ratio];
      const sized = await passes(page.waitForFunction(([w, h]) => {
        const viewport = Module.canvas.getContext('webgl').getParameter(0x0BA2);  // GL_VIEWPORT
        return Module.canvas.width === w && Module.canvas.height === h && viewport[2] === w && viewport[3] === h;
      }, wanted, { timeout: 5000, polling: 50 }));
      const got = await page.evaluate(() => [Module.canvas.width, Module.canvas.height,
        ...Module.canvas.getContext('webgl').getParameter(0x0BA2).slice(2)]);
      expect(sized, `a ${width} x ${height} window at ratio ${ratio}: buffer and viewport ${wanted}, got ${got}`);
    }
    expectQuiet(log, `while resized at ratio ${ratio}`);
    await page.close();
  }
}

// Full screen as a user gets it, by a real click or the F key (trusted input of the driver):
// a move within MOUSE_JITTER_PX of where the pointer started keeps it, and each way out
// leaves it.
async function checkFullScreen(browser, origin) {
  const jitter = Number(fs.readFileSync(NUMBERS, 'utf8').match(/^MOUSE_JITTER_PX=(\d+)$/m)[1]);
  const { page, log } = await open(browser, origin);
  await started(page);
  const [x, y] = [WIDTH / 2, HEIGHT / 2];
  const fullScreen = want => passes(page.waitForFunction(
    w => (document.fullscreenElement !== null) === w, want, { timeout: 3000, polling: 50 }));
  const byClick = () => page.mouse.click(x, y);
  const byKey = () => page.keyboard.press('f');
  const ways = [
    ['a key', byKey, () => page.keyboard.press('Space')],
    ['the secondary button', byClick, async () => { await page.mouse.down({ button: 'right' }); await page.mouse.up({ button: 'right' }); }],
    ['the middle button', byKey, async () => { await page.mouse.down({ button: 'middle' }); await page.mouse.up({ button: 'middle' }); }],
    ['the wheel', byClick, () => page.mouse.wheel(0, 100)],
    [`a move of ${jitter + 1} px`, byClick, () => page.mouse.move(x - jitter - 1, y)],
    [`a move of ${jitter + 1} px after F`, byKey, () => page.mouse.move(x, y + jitter + 1)],
  ];
  for (const [name, enter, leave] of ways) {
    await page.mouse.move(x, y);
    await enter();
    const entered = await fullScreen(true);
    // After F the pointer starts where it stood, or where it first moves in full screen: these
    // two moves stay within the jitter of either.
    await page.mouse.move(x + jitter, y - jitter);
    await page.mouse.move(x, y);
    await page.waitForTimeout(200);
    const stayed = await fullScreen(true);
    await leave();
    expect(entered && stayed && (await fullScreen(false)),
      `${name} leaves full screen (entered: ${entered}, kept through the jitter: ${stayed})`);
    await page.evaluate(() => document.fullscreenElement && document.exitFullscreen());  // for the next case
    await fullScreen(false);
  }
  expectQuiet(log, 'in and out of full screen');
}

const checks = { load: checkLoad, render: checkRender, 'bad-input': checkBadInput, resize: checkResize,
  'full-screen': checkFullScreen };
(async () => {
  // make web removes the page when its build fails, so a failed build fails here.
  const missing = ['index.html', 'tumblix.js', 'tumblix.wasm'].filter(name => !fs.existsSync(path.join(folder, name)));
  if (missing.length) {
    console.log(`FAIL: ${missing} missing in ${folder}: the page did not build (make web)`);
    process.exit(1);
  }
  const browser = await launch();
  await checks[check](browser, await serve(folder)).finally(() => browser.close());
  console.log(`${failures} check(s) failed`);
  process.exit(failures === 0 ? 0 : 1);
})().catch(error => {
  console.log(`FAIL: ${error.stack}`);
  process.exit(1);
});
