// For the page's tests and its benchmark: serves a folder on the loopback address, starts
// Debian's Chromium headless, drawing WebGL with SwiftShader, with nothing that calls home, and
// hides a page's document.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const { chromium } = require('playwright-core');

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// Resolves to the origin that serves the files of `folder`; any other path is 404.
function serve(folder) {
  const server = http.createServer((request, response) => {
    const name = request.url === '/' ? 'index.html' : path.basename(request.url);
    fs.readFile(path.join(folder, name), (error, data) => {
      response.writeHead(error ? 404 : 200, { 'Content-Type': TYPES[path.extname(name)] || 'text/plain' });
      response.end(error ? '' : data);
    });
  }).unref();
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(`http://127.0.0.1:${server.address().port}/`)));
}

const launch = () => chromium.launch({
  executablePath: process.env.TUMBLIX_CHROMIUM || '/usr/bin/chromium',
  chromiumSandbox: false,  // root in CI
  args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-background-networking',
         '--disable-component-update', '--disable-sync', '--no-first-run'],
});

// Hides the page's document (hidden true) or shows it again, as a tab put in the background
// and brought back: document.hidden and the visibilitychange event, which the page follows.
const setHidden = (page, hidden) => page.evaluate(h => {
  Object.defineProperty(document, 'hidden', { configurable: true, get: () => h });
  document.dispatchEvent(new Event('visibilitychange'));
}, hidden);

module.exports = { serve, launch, setHidden };
