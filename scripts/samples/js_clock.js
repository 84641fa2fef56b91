// 時計を表示する (JavaScript)
var WEEKDAYS = ["日", "月", "火", "水", "木", "金", "土"];

function pad(n)
{
	return n < 10 ? "0" + n : String(n);
}

/* 1 秒ごとに表示を更新する */
function tick()
{
	var d = new Date();
	var text = d.getFullYear() + "/" + pad(d.getMonth() + 1) + "/" + pad(d.getDate())
		+ " (" + WEEKDAYS[d.getDay()] + ") " + pad(d.getHours()) + ':' + pad(d.getMinutes());
	document.getElementById("clock").innerHTML = text;
	window.setTimeout(tick, 1000);
}

window.onload = tick;
