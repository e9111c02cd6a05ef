// Opened as a file, the browser runs no module: say, in both languages, how
// to serve the page instead of showing a blank board.
if (location.protocol === 'file:') document.getElementById('served').hidden = false;
